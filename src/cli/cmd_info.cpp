// lumetra-cli info: loads a COFF file for a device and shows the result, sections, flash use, symbols and the
// data-flash image, as text or as one JSON object.
#include "cli/command.h"
#include "cli/command_line.h"
#include "cli/text_format.h"
#include "core/device_catalogue.h"
#include "core/path_text.h"
#include "image/flash_layout.h"
#include "image/program_image.h"
#include "image/section_rows.h"
#include "image/symbol_rows.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace lumetra::cli {

namespace {

using namespace lumetra::image;
using nlohmann::json;

std::string resultText(CoffLoadResult result)
{
    switch (result) {
    case CoffLoadResult::Loaded:
        return "loaded";
    case CoffLoadResult::LoadedWithoutSymbols:
        return "loaded without symbols";
    default:
        return std::string(coffLoadMessage(result));
    }
}

json sectionsJson(const ProgramImage& image)
{
    json array = json::array();
    const auto rows = buildSectionRows(image.sections(), image.targetId());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LoadedSection& section = image.sections()[i];
        array.push_back({
            {"name", section.name},
            {"start", section.startAddress},
            {"end", section.endAddress()},
            {"sizeWords", section.sizeWords},
            {"startText", rows[i].start},
            {"endText", rows[i].end},
            {"sizeText", rows[i].size},
            {"inFlash", section.inFlash},
            {"flashMask", section.flashMask},
            {"inSecondBank", section.inSecondBank},
            {"secondBankMask", section.secondBankMask},
        });
    }
    return array;
}

json flashSummaryJson(const FlashSummary& summary)
{
    return {
        {"mask", summary.mask},
        {"secondBankMask", summary.secondBankMask},
        {"flashSections", summary.flashSections},
        {"flashBytes", summary.flashBytes},
        {"ramSections", summary.ramSections},
        {"ramBytes", summary.ramBytes},
        {"firstBankData", summary.firstBankData},
        {"secondBankData", summary.secondBankData},
    };
}

json symbolJson(const SymbolRow& row)
{
    if (!row.note.empty())
        return {{"note", row.note}};
    return {
        {"name", row.name},
        {"address", row.address},
        {"dataType", row.dataType},
        {"etc", row.etc},
        {"typeSource", row.typedFromDebugInfo ? "debug info" : "symbol table"},
    };
}

// The rows from `next` on that lie deeper than `depth`, nested as "members" arrays.
json nestedRowsJson(const std::vector<SymbolRow>& rows, std::size_t& next, int depth)
{
    json array = json::array();
    while (next < rows.size() && rows[next].depth == depth) {
        json object = symbolJson(rows[next]);
        const bool expanded = rows[next].expanded;
        ++next;
        if (expanded)
            object["members"] = nestedRowsJson(rows, next, depth + 1);
        array.push_back(std::move(object));
    }
    return array;
}

json symbolsJson(const ProgramImage& image, bool members)
{
    const std::vector<SymbolRow> rows = buildSymbolRows(image.symbols(), image.targetId(), {}, members);
    std::size_t next = 0;
    return nestedRowsJson(rows, next, 0);
}

std::string debugInfoStatusText(DebugReadStatus status)
{
    switch (status) {
    case DebugReadStatus::Read:
        return "read";
    case DebugReadStatus::Unreadable:
        return "unreadable";
    case DebugReadStatus::NoDebugInfo:
        break;
    }
    return "none";
}

json typeReadingJson(const TypeReading& reading)
{
    return {
        {"debugInfo", debugInfoStatusText(reading.debugInfo)},
        {"dwarfVersion", reading.dwarfVersion},
        {"problem", reading.problem},
        {"typedFromDebugInfo", reading.typedFromDebugInfo},
        {"message", typeReadingMessage(reading)},
    };
}

bool isC28xRow(int device)
{
    return core::isValidDeviceIndex(device) && core::familyOf(device) == core::Family::F28x;
}

bool hasDataFlashRow(int device)
{
    return core::isValidDeviceIndex(device) && core::hasDataFlash(device);
}

json infoJson(const std::string& file, int device, CoffLoadResult result, const ProgramImage& image, bool members)
{
    json object {
        {"file", file},
        {"device", device},
        {"result", static_cast<int>(result)},
        {"message", coffLoadMessage(result)},
        {"loaded", isLoadSuccess(result)},
    };
    if (!isLoadSuccess(result))
        return object;
    object["targetId"] = image.targetId();
    object["sizeWords"] = image.totalWords();
    object["sections"] = sectionsJson(image);
    if (isC28xRow(device))
        object["flashSummary"] = flashSummaryJson(image.flashSummary());
    object["symbols"] = symbolsJson(image, members);
    if (result == CoffLoadResult::Loaded)
        object["typeReading"] = typeReadingJson(image.typeReading());
    if (hasDataFlashRow(device)) {
        object["dataFlashImageLength"] = image.dataFlashImage().length();
        object["dataFlashImageComplete"] = image.dataFlashImage().complete();
    }
    return object;
}

const char* yesNo(bool value)
{
    return value ? "yes" : "no";
}

void printSections(const ProgramImage& image)
{
    printLine("Sections: " + numberText(static_cast<long long>(image.sections().size())));
    const auto printRow
        = [](std::initializer_list<std::string_view> fields) { printLine(fillIn("  %1  %2  %3  %4  %5  %6", fields)); };
    printRow({padded("Name", -24), padded("Start", -8), padded("End", -8), padded("Size", -16), padded("Flash", -12),
        "Bank 2"});
    const auto rows = buildSectionRows(image.sections(), image.targetId());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LoadedSection& section = image.sections()[i];
        const std::string flash = section.inFlash ? "yes " + hexText(section.flashMask, 4) : "no";
        const std::string bank2 = section.inSecondBank ? "yes " + hexText(section.secondBankMask, 4) : "no";
        printRow({padded(printableText(rows[i].name), -24), padded(rows[i].start, -8), padded(rows[i].end, -8),
            padded(rows[i].size, -16), padded(flash, -12), bank2});
    }
}

void printFlashSummary(const FlashSummary& summary)
{
    printLine(fillIn("Flash: mask %1, %2 sections, %3 bytes; second bank mask %4; first bank data %5, "
                     "second bank data %6",
        {hexText(summary.mask, 4), numberText(summary.flashSections),
            numberText(static_cast<long long>(summary.flashBytes)), hexText(summary.secondBankMask, 4),
            yesNo(summary.firstBankData), yesNo(summary.secondBankData)}));
    printLine(fillIn("RAM: %1 sections, %2 bytes",
        {numberText(summary.ramSections), numberText(static_cast<long long>(summary.ramBytes))}));
}

void printSymbols(const ProgramImage& image, bool members)
{
    const auto rows = buildSymbolRows(image.symbols(), image.targetId(), {}, members);
    printLine("Symbols: " + numberText(static_cast<long long>(image.symbols().count())));
    if (rows.empty())
        return;
    printLine("Types: " + printableText(typeReadingMessage(image.typeReading())));
    const auto printRow
        = [](std::initializer_list<std::string_view> fields) { printLine(fillIn("  %1  %2  %3  %4  %5", fields)); };
    printRow({padded("Symbol Name", -24), padded("Address", -8), padded("Data Type", -36), padded("Type Source", -12),
        "Etc"});
    for (const SymbolRow& symbol : rows) {
        if (!symbol.note.empty()) {
            printLine("  " + printableText(symbol.label));
            continue;
        }
        printRow({padded(printableText(members ? symbol.label : symbol.name), -24), padded(symbol.address, -8),
            padded(printableText(symbol.dataType), -36),
            padded(symbol.typedFromDebugInfo ? "debug info" : "symbol table", -12), printableText(symbol.etc)});
    }
}

void printInfo(const std::string& file, int device, CoffLoadResult result, const ProgramImage& image, bool members)
{
    printLine("File: " + printableText(file));
    const std::string deviceName
        = core::isValidDeviceIndex(device) ? std::string(core::statusNameOf(device)) : "no such device";
    printLine(fillIn("Device: %1 (%2)", {numberText(device), deviceName}));
    printLine(fillIn("Result: %1 %2", {numberText(static_cast<int>(result)), resultText(result)}));
    if (!isLoadSuccess(result))
        return;
    printLine("Target id: " + hexText(image.targetId(), 4));
    printLine("Size : " + hexText(static_cast<std::uint32_t>(image.totalWords()), 6));
    printSections(image);
    if (isC28xRow(device))
        printFlashSummary(image.flashSummary());
    if (hasDataFlashRow(device)) {
        const DataFlashImage& dataFlash = image.dataFlashImage();
        printLine(fillIn("Data-flash image: %1 bytes%2",
            {numberText(static_cast<long long>(dataFlash.length())), dataFlash.complete() ? "" : " (cut at 4 MiB)"}));
    }
    printSymbols(image, members);
}

// A whole number in C notation: decimal, "0x" hexadecimal or a leading "0" for octal, with an optional sign.
std::optional<int> parseDeviceNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

int runInfo(const Arguments& args)
{
    CommandLine line(args, "Loads a COFF file (.out) for a device and shows what it holds.");
    line.addPositional("file", "The COFF file.");
    const Option deviceOption {"device",
        fillIn("Device index 0..70 (see 'lumetra-cli devices'); default %1.", {numberText(core::kDefaultDeviceIndex)}),
        "N", numberText(core::kDefaultDeviceIndex)};
    const Option jsonOption {"json", "Print one JSON object.", {}, {}};
    const Option membersOption {
        "members", "Show the members of structure and union symbols (from the debug information).", {}, {}};
    line.addOption(deviceOption);
    line.addOption(jsonOption);
    line.addOption(membersOption);
    if (const auto end = line.parse(1, 1))
        return *end;
    const std::string deviceText = line.value(deviceOption);
    const std::optional<int> device = parseDeviceNumber(deviceText);
    if (!device)
        return line.usageError("--device expects a number, not '" + deviceText + "'");

    const std::string& file = line.arguments().front();
    ProgramImage image;
    const CoffLoadResult result = image.load(core::pathFromUtf8(file), *device);
    const bool members = line.isSet(membersOption);
    if (line.isSet(jsonOption))
        printJson(infoJson(file, *device, result, image, members));
    else
        printInfo(file, *device, result, image, members);
    return isLoadSuccess(result) ? 0 : 1;
}

const CommandRegistration reg {"info", "load a COFF file and show its sections and symbols", runInfo};

} // namespace

} // namespace lumetra::cli
