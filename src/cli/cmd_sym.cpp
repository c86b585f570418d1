// lumetra-cli sym: the records of a symbol file (.sym) as a table or as JSON.
#include "cli/command.h"
#include "cli/command_line.h"
#include "cli/text_format.h"
#include "core/path_text.h"
#include "image/coff_types.h"
#include "image/symbol_file.h"
#include "monitor/view_types.h"

namespace lumetra::cli {

namespace {

using namespace lumetra::image;

// A symbol file does not say which family it was saved for: addresses are shown 22 bits wide.
std::string addressText(std::uint32_t address)
{
    return hexText(address, 6);
}

std::string viewTypeText(std::uint8_t code)
{
    const auto view = monitor::viewTypeFromCode(code);
    return view ? std::string(monitor::viewTypeName(*view)) : std::string();
}

nlohmann::json recordObject(const CDataObject& record)
{
    return {
        {"name", record.name},
        {"address", record.address},
        {"type", record.type},
        {"dataType", dataTypeText(record.type)},
        {"arrayInfo", record.arrayInfo},
        {"viewType", record.viewType},
        {"viewTypeName", viewTypeText(record.viewType)},
    };
}

void printRow(std::initializer_list<std::string_view> fields)
{
    printLine(fillIn("%1  %2  %3  %4  %5  %6", fields));
}

void printTable(const std::vector<CDataObject>& records)
{
    printRow({padded("#", 4), padded("Name", -24), padded("Address", -8), padded("Data type", -28),
        padded("View type", -26), "Array info"});
    for (std::size_t i = 0; i < records.size(); ++i) {
        const CDataObject& record = records[i];
        printRow({padded(numberText(static_cast<long long>(i)), 4), padded(printableText(record.name), -24),
            padded(addressText(record.address), -8), padded(dataTypeText(record.type), -28),
            padded(numberText(record.viewType) + ' ' + viewTypeText(record.viewType), -26),
            printableText(record.arrayInfo)});
    }
}

int runSym(const Arguments& args)
{
    CommandLine line(args, "Lists the records of a symbol file (.sym).");
    line.addPositional("file", "The symbol file.");
    const Option jsonOption {"json", "Print a JSON array of the records.", {}, {}};
    line.addOption(jsonOption);
    if (const auto end = line.parse(1, 1))
        return *end;

    const SymbolFileRead read = readSymbolFile(core::pathFromUtf8(line.arguments().front()));
    if (read.status != SymbolFileStatus::Ok) {
        std::string detail;
        if (read.archiveError != ArchiveError::None)
            detail = fillIn(" (%1 at byte %2)",
                {describeArchiveError(read.archiveError), numberText(static_cast<long long>(read.errorOffset))});
        printError(args[0] + ": " + std::string(symbolFileMessage(read.status)) + detail);
        return 1;
    }
    if (line.isSet(jsonOption)) {
        nlohmann::json records = nlohmann::json::array();
        for (const CDataObject& record : read.records)
            records.push_back(recordObject(record));
        printJson(records);
    } else {
        printTable(read.records);
    }
    return 0;
}

const CommandRegistration reg {"sym", "list the records of a symbol file (.sym)", runSym};

} // namespace

} // namespace lumetra::cli
