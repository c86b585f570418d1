// --images DIR and --simulated-pod of the commands that send target code images, and where the build's
// simulation set is found.
#pragma once

#include "cli/command_line.h"
#include "cli/link_options.h"

#include "programming/image_set_choice.h"

#include <optional>

namespace lumetra::cli {

struct ImageSetOptions {
    Option images {"images",
        "Folder of the target code image set (image-set.txt; default: TargetImages in the working directory).", "DIR",
        {}};
    Option simulatedPod {"simulated-pod",
        "The POD is lumetra-podsim on the pseudo-terminal --port names: the simulation image set may be sent.", {},
        {}};

    void addTo(CommandLine& line) const;
    // nullopt after a usage error: --images names a folder without an image set, or --simulated-pod is given
    // for a POD that cannot be the simulator (USB, or a port that is no pseudo-terminal).
    std::optional<programming::ImageSetSource> read(const CommandLine& line, const LinkSettings& link) const;
};

} // namespace lumetra::cli
