// make_demo_coff OUTPUT: writes the demo program of the simulated target as a C28x COFF version 2 file.
#include "sim/demo_program.h"

#include "support/coff_writer.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>

using namespace lumetra;

namespace {

std::uint32_t sectionFlags(sim::DemoSectionKind kind)
{
    switch (kind) {
    case sim::DemoSectionKind::Code:
        return test::kSectionText;
    case sim::DemoSectionKind::Constants:
        return test::kSectionData;
    case sim::DemoSectionKind::Uninitialised:
        return test::kSectionBss;
    }
    return test::kSectionText;
}

test::CoffSection coffSection(const sim::DemoSection& section)
{
    test::CoffSection coff;
    coff.name = section.name;
    coff.startAddress = section.start;
    coff.words = section.words;
    coff.flags = sectionFlags(section.kind);
    coff.page = section.page;
    coff.sizeWordsOverride = section.sizeWords;
    return coff;
}

// The size at offset 6 and the dimensions at offsets 8 to 14.
test::CoffAuxEntry coffAux(const sim::DemoAux& aux)
{
    const auto& d = aux.dimensions;
    test::CoffAuxEntry entry = test::CoffAuxEntry::arrayDimensions(d[0], d[1], d[2], d[3]);
    entry.bytes[6] = static_cast<std::uint8_t>(aux.sizeWords & 0xFF);
    entry.bytes[7] = static_cast<std::uint8_t>(aux.sizeWords >> 8);
    return entry;
}

test::CoffSymbol coffSymbol(const sim::DemoSymbol& symbol)
{
    test::CoffSymbol coff;
    coff.name = symbol.name;
    coff.value = symbol.address;
    coff.sectionNumber = static_cast<std::int16_t>(symbol.section);
    coff.type = symbol.type;
    coff.storageClass = symbol.storageClass;
    if (symbol.aux)
        coff.aux.push_back(coffAux(*symbol.aux));
    return coff;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_coff OUTPUT\n");
        return 2;
    }
    const std::filesystem::path output = argv[1];
    std::error_code error;
    if (output.has_parent_path())
        std::filesystem::create_directories(output.parent_path(), error);
    if (error) {
        std::fprintf(stderr, "make_demo_coff: cannot create %s: %s\n", output.parent_path().string().c_str(),
            error.message().c_str());
        return 1;
    }

    test::CoffWriter writer(2, sim::kDemoTargetId);
    for (const sim::DemoSection& section : sim::demoSections())
        writer.addSection(coffSection(section));
    for (const sim::DemoSymbol& symbol : sim::demoSymbols())
        writer.addSymbol(coffSymbol(symbol));
    try {
        writer.writeTo(output);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "make_demo_coff: %s\n", failure.what());
        return 1;
    }
    return 0;
}
