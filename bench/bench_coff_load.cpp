// Time to load a COFF file against the time to read the same file's bytes once (warm cache), for the largest
// real sample and for synthetic files with 200,000 symbols and 4 MiB of section data: one whose loadable data lie
// back to back, one with other data between them.
// Usage: bench_coff_load [coff-samples-dir]   (default: $LUMETRA_SHARED_DIR/coff-samples)
#include "image/program_image.h"

#include "support/coff_writer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRepeats = 15;

struct Timing {
    double median = 0;
    double fastest = 0; // the run least disturbed by other load on the machine
};

template <typename F> Timing timeRuns(F&& run)
{
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

// Reads the bytes the way the loader does: one read of the whole size into a buffer that is not zero-filled first.
std::size_t readOnce(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const auto size = static_cast<std::size_t>(in.tellg());
    in.seekg(0);
    const auto bytes = std::make_unique_for_overwrite<char[]>(size);
    in.read(bytes.get(), static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in.gcount());
}

bool measure(const char* label, const std::filesystem::path& path, int deviceRow)
{
    lumetra::image::ProgramImage image;
    const auto result = image.load(path, deviceRow);
    if (!lumetra::image::isLoadSuccess(result)) {
        std::printf("%s: load failed with result %d\n", label, static_cast<int>(result));
        return false;
    }
    readOnce(path); // warm the cache
    const Timing read = timeRuns([&] { readOnce(path); });
    const Timing load = timeRuns([&] { image.load(path, deviceRow); });
    std::printf("%-28s %9zu bytes  %4zu sections  %7zu symbols\n", label,
        static_cast<std::size_t>(std::filesystem::file_size(path)), image.sections().size(), image.symbols().count());
    std::printf("    median:  read %8.3f ms  load %8.3f ms  ratio %5.2f\n", read.median * 1e3, load.median * 1e3,
        load.median / read.median);
    std::printf("    fastest: read %8.3f ms  load %8.3f ms  ratio %5.2f\n", read.fastest * 1e3, load.fastest * 1e3,
        load.fastest / read.fastest);
    return true;
}

// With `interleaved`, a small copy section with data follows each loadable one, so the loadable data do not lie back
// to back in the file and the loader packs a copy of them instead of using the file's bytes.
std::filesystem::path writeSyntheticFile(const std::filesystem::path& dir, bool interleaved)
{
    using namespace lumetra::test;
    CoffWriter writer(2, kTargetC28x);
    // 4 MiB of section data in 16 sections of 128 Ki words.
    for (int s = 0; s < 16; ++s) {
        CoffSection section;
        section.name = "section_number_" + std::to_string(s);
        section.startAddress = 0x100000 + static_cast<std::uint32_t>(s) * 0x20000;
        section.words.resize(0x20000);
        for (std::size_t i = 0; i < section.words.size(); ++i)
            section.words[i] = static_cast<std::uint16_t>(i * 7 + static_cast<std::size_t>(s));
        writer.addSection(std::move(section));
        if (interleaved) {
            CoffSection notLoaded
                = CoffSection::withData("copy_" + std::to_string(s), 0, std::vector<std::uint16_t>(64, 1));
            notLoaded.flags = kSectionCopy;
            writer.addSection(std::move(notLoaded));
        }
    }
    // 200,000 symbol entries: variables (every eighth an array with its auxiliary entry), statics and functions,
    // half of the names in the string table.
    int entries = 0;
    for (int i = 0; entries < 200000; ++i) {
        CoffSymbol symbol;
        symbol.name = (i % 2 == 0 ? "_v" : "_a_longer_variable_name_") + std::to_string(i);
        symbol.value = 0x8000 + static_cast<std::uint32_t>(i);
        symbol.sectionNumber = static_cast<std::int16_t>(1 + i % 16);
        symbol.storageClass = i % 5 == 0 ? kStorageStatic : kStorageExternal;
        symbol.type = i % 7 == 0 ? coffType(4, {2}) : coffType(i % 10 + 2);
        if (i % 8 == 0 && entries + 2 <= 200000) {
            symbol.type = coffType(4, {3});
            symbol.aux.push_back(CoffAuxEntry::arrayDimensions(static_cast<std::uint16_t>(i % 50 + 1)));
        }
        entries += 1 + static_cast<int>(symbol.aux.size());
        writer.addSymbol(std::move(symbol));
    }
    const std::filesystem::path path = dir / (interleaved ? "bench_interleaved.out" : "bench_synthetic.out");
    writer.writeTo(path);
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path samples;
    if (argc > 1)
        samples = argv[1];
    else if (const char* shared = std::getenv("LUMETRA_SHARED_DIR"))
        samples = std::filesystem::path(shared) / "coff-samples";

    bool ok = true;
    const std::filesystem::path bootrom = samples / "f2837x_bootrom_cpu01.out";
    if (!samples.empty() && std::filesystem::exists(bootrom))
        ok = measure("f2837x_bootrom_cpu01 (row 69)", bootrom, 69) && ok;
    else
        std::printf("f2837x_bootrom_cpu01.out not found; pass the coff-samples folder as the argument\n");

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lumetra-bench-coff";
    std::filesystem::create_directories(dir);
    ok = measure("synthetic (row 26)", writeSyntheticFile(dir, false), 26) && ok;
    ok = measure("synthetic, interleaved", writeSyntheticFile(dir, true), 26) && ok;
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
