// --images DIR and --simulated-pod of the commands that send target code images, and where the build's
// simulation set is found.
#pragma once

#include "cli/command_line.h"

#include "programming/image_set_choice.h"

#include <QCommandLineOption>

#include <optional>

namespace lumetra::cli {

class ImageSetOptions {
public:
    ImageSetOptions();
    void addTo(CommandLine& line) const;
    // nullopt after a usage error: --images names a folder without an image set.
    std::optional<programming::ImageSetSource> read(const CommandLine& line) const;

private:
    QCommandLineOption images_;
    QCommandLineOption simulatedPod_;
};

} // namespace lumetra::cli
