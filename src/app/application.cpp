#include "app/application.h"

#include "app/busy_wait_calibration.h"
#include "app/window_title.h"
#include "core/path_text.h"

#include "core/settings_schema.h"
#include "image/symbol_file.h"

#include <system_error>

namespace lumetra::app {

Application::Application(const ApplicationPorts& ports, const std::filesystem::path& workingDirectory)
    : ports_(ports)
    , applicationDirectory_(workingDirectory / "")
    , mainFrame_(
          ports.settings, ports.transports, registered_, programming_, ports.prompts, ports.pollTimer, ports.frame)
    , graphs_(mainFrame_.linkState())
    , unavailableSciBoot_(ports.prompts)
{
    mainFrame_.linkState().setActivityLog(&activityLog_);
    mainFrame_.link().setActivityLog(&activityLog_);
}

StartResult Application::Start()
{
    if (!ports_.singleInstance.acquire(kSingleInstanceName))
        return StartResult::AnotherInstanceRuns;
    started_ = true;

    recentFiles_.load(ports_.settings);
    mainFrame_.create();
    ports_.frame.setTitle(kProgramTitle);
    readApplicationValues();
    if (deviceFollower_)
        deviceFollower_(device_.deviceIndex);
    for (const std::string& report : graphs_.load(ports_.settings, applicationDirectory_))
        activityLog_.record(report);
    microTimeLength_ = loadOrMeasureMicroTimeLength(ports_.settings, ports_.ticks, ports_.busyNotice);

    loadingAtStartup_ = true;
    if (!coffFilePath_.empty()) {
        const std::filesystem::path coff = core::pathFromUtf8(coffFilePath_);
        std::error_code error;
        if (std::filesystem::exists(coff, error))
            OpenByPath(coff);
        loadRecentSymbolFile();
    }
    loadingAtStartup_ = false;
    return StartResult::Started;
}

void Application::Exit()
{
    if (!started_)
        return;
    graphs_.stopAllAcquisition();
    mainFrame_.shutdown();

    core::SettingsStore& store = ports_.settings;
    core::writeTextSetting(store, core::SettingId::CoffFilePath, coffFilePath_);
    core::writeTextSetting(store, core::SettingId::SymbolFilePath, symbolFilePath_);
    core::saveDeviceConfig(store, device_);
    graphs_.saveSettings(store);
    if (storesFiles_) {
        saveRecentSymbolFile();
        graphs_.saveCatalogues(applicationDirectory_);
    }
    recentFiles_.save(store);
    store.flush();
    started_ = false;
}

std::optional<SettingsSession> Application::BeginSettingsCommand()
{
    if (programming_.active())
        return std::nullopt;
    SettingsSession session;
    session.linkBefore = mainFrame_.linkConfig();
    session.deviceBefore = device_.deviceIndex;
    session.resumeKind = linkState().SuspendMonitoring();
    session.dialog = core::openSettingsDialog(mainFrame_.linkConfig(), device_);
    return session;
}

void Application::FinishSettingsCommand(
    const SettingsSession& session, const std::optional<core::SettingsDialogValues>& ok)
{
    if (ok) {
        core::applySettingsDialogValues(*ok, mainFrame_.linkConfig(), device_);
        if (device_.deviceIndex != session.deviceBefore && deviceFollower_)
            deviceFollower_(device_.deviceIndex);
        if (device_.deviceIndex != session.deviceBefore && !image_.empty())
            ReloadCoff();
        if (core::linkParametersDiffer(session.linkBefore, mainFrame_.linkConfig())) {
            if (mainFrame_.link().connected())
                mainFrame_.link().Disconnect();
            mainFrame_.applyLinkTimings();
        }
    }
    linkState().ResumeMonitoring(session.resumeKind);
    if (ok)
        mainFrame_.refreshSettingsPanes(device_);
}

core::UsbAccess Application::usbAccess()
{
    link::CPodLink& link = mainFrame_.link();
    return {
        [&link] { return link.driverLoaded() || link.LoadDriver(); },
        [&link] { return link.usbPodFound() || link.FindUsbPod(); },
    };
}

void Application::takeOverSymbolFilePath(const std::filesystem::path& path)
{
    symbolFilePath_ = core::utf8Of(path);
    symbolDirectory_ = core::folderTextOf(path);
    core::writeTextSetting(ports_.settings, core::SettingId::SymbolFileDirectory, symbolDirectory_);
}

void Application::setSciBootCommand(SciBootCommand* command)
{
    sciBoot_ = command ? command : &unavailableSciBoot_;
}

void Application::readApplicationValues()
{
    const core::SettingsStore& store = ports_.settings;
    coffFilePath_ = core::readTextSetting(store, core::SettingId::CoffFilePath);
    coffDirectory_ = core::readTextSetting(store, core::SettingId::CoffFileDirectory);
    symbolFilePath_ = core::readTextSetting(store, core::SettingId::SymbolFilePath);
    symbolDirectory_ = core::readTextSetting(store, core::SettingId::SymbolFileDirectory);
    device_ = core::loadDeviceConfig(store);
}

void Application::loadRecentSymbolFile()
{
    const std::filesystem::path file = image::recentSymbolFilePath(applicationDirectory_);
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return;
    const image::SymbolFileStatus status = image::openSymbolFile(file, registered_, image_.symbols());
    ports_.frame.registeredVariablesChanged();
    if (status != image::SymbolFileStatus::Ok)
        ports_.prompts.showMessage(MessageIcon::Error, image::symbolFileMessage(status));
}

void Application::saveRecentSymbolFile()
{
    const image::SymbolFileStatus status
        = image::saveSymbolFile(image::recentSymbolFilePath(applicationDirectory_), registered_);
    if (status != image::SymbolFileStatus::Ok)
        ports_.prompts.showMessage(MessageIcon::Error, image::symbolFileMessage(status));
}

} // namespace lumetra::app
