// The SCI boot command of the application: the download command over the main frame's link, with the loaded
// program, the stored device and link settings, and the image folder in the application directory.
#pragma once

#include "app/application_link_takeover.h"
#include "app/sci_boot_command.h"

#include "programming/download_command.h"

#include <filesystem>

namespace lumetra::app {

class Application;

struct ImageSetLocations {
    std::filesystem::path simulationFolder; // the build's simulation set
    bool simulatedPod = false; // the link reaches the in-process simulator
};

class SciBootDownload final : public SciBootCommand {
public:
    SciBootDownload(Application& app, programming::ProgressPort& progress, programming::FlashNotice& notice,
        ImageSetLocations images);
    void run() override;

    // The outcome of the last run, for tests and the activity log.
    const programming::DownloadOutcome& lastOutcome() const { return last_; }

private:
    Application& app_;
    ApplicationLinkTakeover takeover_;
    programming::ProgressPort& progress_;
    programming::FlashNotice& notice_;
    ImageSetLocations images_;
    programming::DownloadOutcome last_;
};

} // namespace lumetra::app
