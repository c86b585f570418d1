// lumetra-cli devices: the device catalogue as a table or as JSON.
#include "cli/command.h"
#include "cli/command_line.h"
#include "cli/text_format.h"
#include "core/device_catalogue.h"

namespace lumetra::cli {

namespace {

using namespace lumetra::core;

// Labels of the key fields the settings dialog enables for the row, as it labels them when it opens.
std::vector<std::string> csmKeyLabelsOf(int index)
{
    std::vector<std::string> labels;
    for (int n = 0; n < csmKeyCountOf(index); ++n)
        labels.push_back(csmKeyLabel(index, n, false));
    return labels;
}

nlohmann::json deviceObject(int index)
{
    const Family family = familyOf(index);
    return {
        {"index", index},
        {"listName", listNameOf(index)},
        {"statusName", statusNameOf(index)},
        {"group", groupNameOf(groupOf(index))},
        {"family", familyNameOf(family)},
        {"addressFormat", addressFormatOf(family)},
        {"coffTargetId", coffTargetIdOf(family)},
        {"csmKeys", csmKeyLabelsOf(index)},
        {"dataFlash", hasDataFlash(index)},
    };
}

std::string keySummary(const std::vector<std::string>& labels)
{
    if (labels.empty())
        return "none";
    return labels.front() + " .. " + labels.back();
}

void printRow(std::initializer_list<std::string_view> fields)
{
    printLine(fillIn("%1  %2  %3  %4  %5  %6  %7", fields));
}

void printTable()
{
    printRow({padded("#", 2), padded("List name", -40), padded("Status name", -29), padded("Group", -13),
        padded("Family", -6), padded("Data flash", -10), "CSM keys"});
    for (int index = 0; index < kDeviceCount; ++index) {
        printRow({padded(numberText(index), 2), padded(listNameOf(index), -40), padded(statusNameOf(index), -29),
            padded(groupNameOf(groupOf(index)), -13), padded(familyNameOf(familyOf(index)), -6),
            padded(hasDataFlash(index) ? "yes" : "no", -10), keySummary(csmKeyLabelsOf(index))});
    }
}

int runDevices(const Arguments& args)
{
    CommandLine line(args, "Lists the supported target devices.");
    const Option jsonOption {"json", "Print a JSON array of the devices.", {}, {}};
    line.addOption(jsonOption);
    if (const auto end = line.parse(0, 0))
        return *end;

    if (line.isSet(jsonOption)) {
        nlohmann::json devices = nlohmann::json::array();
        for (int index = 0; index < kDeviceCount; ++index)
            devices.push_back(deviceObject(index));
        printJson(devices);
    } else {
        printTable();
    }
    return 0;
}

const CommandRegistration reg {"devices", "list the supported target devices", runDevices};

} // namespace

} // namespace lumetra::cli
