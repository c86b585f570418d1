// lumetra-cli images: what a target code image set holds and which devices it serves, whether it serves one
// device, and the import of a target program (.out) as one of its images.
#include "cli/command.h"
#include "cli/command_line.h"
#include "cli/link_options.h"
#include "cli/text_format.h"

#include "core/device_catalogue.h"
#include "core/path_text.h"
#include "programming/image_import.h"
#include "programming/image_manifest.h"
#include "programming/image_set_choice.h"
#include "programming/run_images.h"

#include <filesystem>

namespace lumetra::cli {

namespace {

using namespace lumetra::programming;

constexpr int kFailedExitCode = 1;

struct ImagesOptions {
    Option folder {"images",
        "Folder of the image set (image-set.txt; default: TargetImages in the working directory).", "DIR", {}};
    Option device {"device", "check: the device index 0 to 70 the set must serve.", "N", {}};
    Option name {"name", "import: the name the image takes in the set (see `images list` of a full set).", "NAME",
        {}};
    Option keys {"keys",
        "import: where KEY0 of the CSM keys goes, a word address (0x...) or a symbol of the program; needed where "
        "the image's key block is not fixed.",
        "KEY0", {}};
    Option json {"json", "list, check: print JSON.", {}, {}};
};

std::filesystem::path folderOf(const CommandLine& line, const ImagesOptions& options)
{
    return line.isSet(options.folder) ? core::pathFromUtf8(line.value(options.folder))
                                      : std::filesystem::current_path() / kUserImageFolderName;
}

std::string numbersText(const std::vector<int>& codes)
{
    std::string text;
    for (const int code : codes)
        text += (text.empty() ? "" : " ") + numberText(code);
    return text.empty() ? "none" : text;
}

nlohmann::json imageObject(const std::string& name, const TargetImage& image)
{
    nlohmann::json segments = nlohmann::json::array();
    for (const ImageSegment& segment : image.segments)
        segments.push_back({{"address", segment.address}, {"words", segment.words.size()}});
    nlohmann::json keys = nullptr;
    if (image.keys)
        keys = {{"segment", image.keys->segment}, {"offsets", image.keys->offsets}};
    return {{"name", name}, {"use", imageUse(name)}, {"devices", devicesSending(name)}, {"segments", segments},
        {"keys", keys}};
}

void printImage(const std::string& name, const TargetImage& image)
{
    printLine(fillIn("%1  (%2; devices %3)", {name, imageUse(name), numbersText(devicesSending(name))}));
    for (std::size_t s = 0; s < image.segments.size(); ++s) {
        const ImageSegment& segment = image.segments[s];
        std::string keys;
        if (image.keys && image.keys->segment == s)
            keys = "  keys from word " + numberText(static_cast<long long>(image.keys->offsets.front()));
        printLine(fillIn("  segment %1  %2  %3 words%4", {numberText(static_cast<long long>(s)),
            hexText(segment.address, 6), numberText(static_cast<long long>(segment.words.size())), keys}));
    }
}

std::optional<ImageSet> loadOrSay(const std::filesystem::path& folder)
{
    ImageSetLoad load = loadImageSet(folder);
    if (const auto* error = std::get_if<ImageSetError>(&load)) {
        printError(error->text);
        return std::nullopt;
    }
    return std::move(std::get<ImageSet>(load));
}

int listSet(const std::filesystem::path& folder, bool json)
{
    const auto set = loadOrSay(folder);
    if (!set)
        return kFailedExitCode;
    const std::string kind = set->kind == ImageSetKind::Simulation ? "simulation" : "target";
    if (json) {
        nlohmann::json images = nlohmann::json::array();
        for (const auto& [name, image] : set->images)
            images.push_back(imageObject(name, image));
        printJson({{"set", core::utf8Of(folder / kImageSetFileName)}, {"kind", kind}, {"images", images},
            {"serves", devicesServed(*set)}});
        return 0;
    }
    printLine(fillIn("%1 (%2 set, %3 images)",
        {core::utf8Of(folder / kImageSetFileName), kind, numberText(static_cast<long long>(set->images.size()))}));
    for (const auto& [name, image] : set->images)
        printImage(name, image);
    printLine("Serves devices: " + numbersText(devicesServed(*set)));
    return 0;
}

int checkSet(const std::filesystem::path& folder, int device, bool json)
{
    const auto set = loadOrSay(folder);
    if (!set)
        return kFailedExitCode;
    const std::vector<std::string> missing = missingImages(*set, device);
    if (json) {
        nlohmann::json lacking = nlohmann::json::array();
        for (const std::string& name : missing)
            lacking.push_back({{"name", name}, {"use", imageUse(name)}});
        printJson({{"device", device}, {"serves", missing.empty()}, {"missing", lacking}});
    } else if (missing.empty()) {
        printLine(fillIn("The set serves device %1 (%2).", {numberText(device), core::listNameOf(device)}));
    } else {
        printLine(fillIn("The set lacks images of device %1 (%2):", {numberText(device), core::listNameOf(device)}));
        for (const std::string& name : missing)
            printLine(fillIn("  %1  (%2)", {name, imageUse(name)}));
    }
    return missing.empty() ? 0 : kFailedExitCode;
}

int importInto(const std::filesystem::path& folder, const ImageImport& request)
{
    auto imported = importImage(request);
    if (const auto* error = std::get_if<ImageSetError>(&imported)) {
        printError(error->text);
        return kFailedExitCode;
    }
    TargetImage& image = std::get<TargetImage>(imported);
    printImage(request.name, image);
    if (const auto error = storeImage(folder, request.name, std::move(image))) {
        printError(error->text);
        return kFailedExitCode;
    }
    printLine("Written to " + core::utf8Of(folder / kImageSetFileName));
    return 0;
}

int runImages(const Arguments& args)
{
    CommandLine line(args,
        "Target code image sets: `list` shows the images of a set and the devices it serves, `check` whether it "
        "serves --device, `import FILE` adds a target program (COFF or ELF .out) as image --name, its sections "
        "becoming the segments.");
    line.addPositional("ACTION", "list, check or import.");
    line.addPositional("FILE", "import: the target program.", "[FILE]");
    const ImagesOptions options;
    for (const Option* option : {&options.folder, &options.device, &options.name, &options.keys, &options.json})
        line.addOption(*option);
    if (const auto end = line.parse(1, 2))
        return *end;

    const std::string& action = line.arguments()[0];
    const bool import = action == "import";
    if (!import && action != "list" && action != "check")
        return line.usageError("unknown action '" + action + "' (list, check or import)");
    if (import != (line.arguments().size() == 2))
        return line.usageError(import ? "import needs the FILE to import" : action + " takes no FILE");
    if (!import && (line.isSet(options.name) || line.isSet(options.keys)))
        return line.usageError("--name and --keys belong to import");
    if ((action == "check") != line.isSet(options.device))
        return line.usageError(action == "check" ? "check needs --device" : "--device belongs to check");
    if (import && line.isSet(options.json))
        return line.usageError("--json belongs to list and check");
    const std::filesystem::path folder = folderOf(line, options);
    if (import) {
        if (!line.isSet(options.name))
            return line.usageError("import needs --name");
        ImageImport request {core::pathFromUtf8(line.arguments()[1]), line.value(options.name), std::nullopt};
        if (line.isSet(options.keys))
            request.keys = line.value(options.keys);
        return importInto(folder, request);
    }
    if (action == "list")
        return listSet(folder, line.isSet(options.json));
    const auto index = parseNumberArgument(line.value(options.device));
    if (!index || *index >= static_cast<std::uint32_t>(core::kDeviceCount))
        return line.usageError("--device takes a device index 0 to 70");
    return checkSet(folder, static_cast<int>(*index), line.isSet(options.json));
}

const CommandRegistration reg {"images", "list, check or extend a target code image set", runImages};

} // namespace

} // namespace lumetra::cli
