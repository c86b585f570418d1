#include "app/sci_boot_download.h"

#include "app/activity_texts.h"
#include "app/application.h"

#include "programming/program_data.h"

namespace lumetra::app {

SciBootDownload::SciBootDownload(
    Application& app, programming::ProgressPort& progress, programming::FlashNotice& notice, ImageSetLocations images)
    : app_(app)
    , takeover_(app)
    , progress_(progress)
    , notice_(notice)
    , images_(std::move(images))
{
}

void SciBootDownload::run()
{
    ProgrammingFlags& flags = app_.programmingFlags();
    link::CPodLink& link = app_.mainFrame().link();
    const programming::DownloadPorts ports {link, progress_, app_.prompts(), takeover_, notice_, flags.programmingBusy,
        flags.programmingThreadBusy, [&link](link::Milliseconds wait) { link.pause(wait); }};
    programming::DownloadRequest request;
    request.link = app_.mainFrame().linkConfig();
    request.device = app_.deviceConfig();
    request.images = {app_.applicationDirectory() / programming::kUserImageFolderName, images_.simulationFolder,
        images_.simulatedPod};
    last_ = programming::DownloadCommand(ports, request, programming::programDataOf(app_.image()));
    if (last_.result) {
        app_.activityLog().record(sciBootResultLine(programming::resultLine(*last_.result)));
    } else if (!last_.message.empty()) {
        app_.activityLog().record(sciBootNotStartedLine(last_.message));
    }
}

} // namespace lumetra::app
