#include "app/data_flash_commands.h"

#include "app/activity_texts.h"
#include "app/application.h"

namespace lumetra::app {

DataFlashCommands::DataFlashCommands(Application& app, programming::DataFlashDialogHost& host,
    programming::DataFlashDialogPort& dialog, ImageSetLocations images, UiPost post)
    : app_(app)
    , takeover_(app)
    , host_(host)
    , dialog_(dialog)
    , images_(std::move(images))
    , post_(std::move(post))
{
}

DataFlashCommands::~DataFlashCommands()
{
    worker_.join();
}

bool DataFlashCommands::enabled() const
{
    return programming::dataFlashCommandsEnabled(!app_.image().empty(), app_.deviceConfig().deviceIndex);
}

void DataFlashCommands::run(link::DataFlashMode mode)
{
    if (!enabled())
        return;
    ProgrammingFlags& flags = app_.programmingFlags();
    const programming::DataFlashPorts ports {app_.mainFrame().link(), app_.prompts(), takeover_, host_,
        flags.programmingBusy, flags.programmingThreadBusy, state_};
    programming::DataFlashRequest request;
    request.mode = mode;
    request.link = app_.mainFrame().linkConfig();
    request.device = app_.deviceConfig();
    request.images = {app_.applicationDirectory() / programming::kUserImageFolderName, images_.simulationFolder,
        images_.simulatedPod};
    last_ = programming::DataFlashCommand(ports, request, programming::dataFlashProgramOf(app_.image()));
    if (!last_.started && !last_.message.empty())
        app_.activityLog().record(dataFlashNotStartedLine(last_.message));
}

void DataFlashCommands::startRun(programming::DataFlashJob job)
{
    link::CPodLink& link = app_.mainFrame().link();
    const programming::DataFlashWorkerPorts ports {link, dialog_, app_.programmingFlags().programmingThreadBusy,
        cancel_, [&link](link::Milliseconds wait) { link.pause(wait); }, [this] { post_([this] { complete(); }); },
        [this](programming::DataFlashResult result) { post_([this, result] { failed(result); }); }};
    worker_.start(ports, std::move(job));
}

void DataFlashCommands::failed(programming::DataFlashResult result)
{
    worker_.join();
    if (state_.mode)
        app_.activityLog().record(
            dataFlashFailedLine(programming::dataFlashTitle(*state_.mode), programming::dataFlashResultLine(result)));
}

void DataFlashCommands::complete()
{
    worker_.join();
    if (!state_.mode)
        return;
    link::CPodLink& link = app_.mainFrame().link();
    const programming::DataFlashCompletionPorts ports {
        link, app_.prompts(), takeover_, [&link](link::Milliseconds wait) { link.pause(wait); }};
    app_.activityLog().record(dataFlashDoneLine(programming::dataFlashTitle(*state_.mode)));
    programming::CompleteDataFlash(
        ports, app_.mainFrame().linkConfig(), app_.deviceConfig().dataFlashResetAfterDownload, state_);
}

} // namespace lumetra::app
