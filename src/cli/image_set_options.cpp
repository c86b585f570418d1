#include "cli/image_set_options.h"

#include "cli/executable_folder.h"
#include "cli/text_format.h"

#include "core/installed_data.h"
#include "core/path_text.h"
#include "link/pseudo_terminal_check.h"
#include "programming/image_set_file.h"

#include <filesystem>

namespace lumetra::cli {

namespace {

std::filesystem::path simulationImagesFolder()
{
    const std::optional<std::filesystem::path> installed = core::installedData(
        executableFolder(), std::filesystem::path("simulation-images") / programming::kImageSetFileName);
    return installed ? installed->parent_path() : std::filesystem::path(LUMETRA_SIMULATION_IMAGES);
}

} // namespace

void ImageSetOptions::addTo(CommandLine& line) const
{
    line.addOption(images);
    line.addOption(simulatedPod);
}

std::optional<programming::ImageSetSource> ImageSetOptions::read(
    const CommandLine& line, const LinkSettings& link) const
{
    if (line.isSet(simulatedPod)) {
        if (link.usb) {
            line.usageError("--simulated-pod: a POD on --usb is a real one");
            return std::nullopt;
        }
        if (!link.device || !link::isPseudoTerminal(*link.device)) {
            line.usageError("--simulated-pod: --port must name the pseudo-terminal lumetra-podsim serves");
            return std::nullopt;
        }
    }
    programming::ImageSetSource source;
    source.simulationFolder = simulationImagesFolder();
    source.simulatedPod = line.isSet(simulatedPod);
    source.userFolder = line.isSet(images) ? core::pathFromUtf8(line.value(images))
                                           : std::filesystem::current_path() / programming::kUserImageFolderName;
    std::error_code error;
    if (line.isSet(images) && !std::filesystem::exists(source.userFolder / programming::kImageSetFileName, error)) {
        line.usageError(fillIn("--images: no %1 in %2", {programming::kImageSetFileName, line.value(images)}));
        return std::nullopt;
    }
    return source;
}

} // namespace lumetra::cli
