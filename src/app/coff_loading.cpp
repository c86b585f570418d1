// The COFF loading commands of the application object: open, open by path, recent files, reload, and what
// follows a load.
#include "app/application.h"

#include "app/activity_texts.h"
#include "app/status_texts.h"
#include "app/window_title.h"
#include "core/path_text.h"

#include "core/settings_schema.h"
#include "image/symbol_rebinding.h"

#include <fstream>
#include <system_error>

namespace lumetra::app {

namespace {

constexpr link::Milliseconds kPauseBeforeDownload {1};

bool canOpenForReading(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    return std::ifstream(path, std::ios::binary).is_open();
}

} // namespace

image::CoffLoadResult Application::OpenCoffChosenByUser(const std::filesystem::path& path)
{
    return loadCoff(path, true);
}

image::CoffLoadResult Application::OpenByPath(const std::filesystem::path& path)
{
    return loadCoff(path, false);
}

image::CoffLoadResult Application::OpenRecentFile(std::size_t index)
{
    if (index >= recentFiles_.entries().size())
        return image::CoffLoadResult::CannotOpen;
    const std::string path = recentFiles_.entries()[index];
    const image::CoffLoadResult result = OpenByPath(core::pathFromUtf8(path));
    if (image::isLoadSuccess(result)) {
        recentFiles_.add(path);
        recentFiles_.save(ports_.settings);
    }
    return result;
}

std::optional<image::CoffLoadResult> Application::ReloadCoff()
{
    if (!coffFilePath_.empty())
        return OpenByPath(core::pathFromUtf8(coffFilePath_));
    if (recentFiles_.empty())
        return std::nullopt;
    const std::filesystem::path first = core::pathFromUtf8(recentFiles_.entries().front());
    std::error_code error;
    if (!std::filesystem::exists(first, error))
        return std::nullopt;
    return OpenByPath(first);
}

bool Application::reloadEnabled() const
{
    return !coffFilePath_.empty() || !recentFiles_.empty();
}

std::filesystem::path Application::coffOpenDialogFolder() const
{
    return core::pathFromUtf8(coffDirectory_);
}

image::CoffLoadResult Application::loadCoff(const std::filesystem::path& path, bool chosenByUser)
{
    coffFilePath_ = core::utf8Of(path);
    coffDirectory_ = core::folderTextOf(path);
    core::writeTextSetting(ports_.settings, core::SettingId::CoffFileDirectory, coffDirectory_);

    if (!canOpenForReading(path)) {
        activityLog_.record(coffNotOpenedLine(coffFilePath_));
        if (chosenByUser)
            ports_.prompts.showMessage(MessageIcon::Information, kChosenFileNotOpenedMessage);
        return image::CoffLoadResult::CannotOpen;
    }
    const std::optional<LocalDateTime> written = ports_.fileTimes.lastWriteLocalTime(path);
    const std::string dateText = written ? fileDateText(*written) : std::string();

    image::CoffLoadResult result;
    {
        WaitCursorScope wait(ports_.waitCursor);
        result = image_.load(path, device_.deviceIndex);
    }
    activityLog_.record(image::isLoadSuccess(result)
            ? coffLoadedLine(coffFilePath_, image_.totalWords())
            : coffNotLoadedLine(coffFilePath_, image::coffLoadMessage(result)));
    if (result == image::CoffLoadResult::Loaded)
        activityLog_.record(typeReadingLine(image_.typeReading()));
    reportLoad(result);
    if (!image::isLoadSuccess(result))
        return result;

    ports_.frame.setTitle(loadedFileTitle(coffFilePath_, dateText));
    if (chosenByUser) {
        recentFiles_.add(coffFilePath_);
        recentFiles_.save(ports_.settings);
    }
    ports_.frame.symbolListChanged();
    if (mainFrame_.linkConfig().loadAfterDown && !loadingAtStartup_)
        downloadAfterLoad();
    else
        rebindRegisteredVariables();
    return result;
}

void Application::reportLoad(image::CoffLoadResult result)
{
    if (image::isLoadSuccess(result)) {
        ports_.frame.setStatusPane(StatusPane::Size, sizePaneText(image_.totalWords()));
        ports_.frame.showSectionPage();
        return;
    }
    // The failed load left the image, its blocks and the symbol list empty.
    ports_.frame.setStatusPane(StatusPane::Size, sizePaneText(0));
    ports_.frame.symbolListChanged();
    ports_.frame.showSectionPage();
    ports_.prompts.showMessage(MessageIcon::Error, image::coffLoadMessage(result));
}

void Application::downloadAfterLoad()
{
    LinkState& state = linkState();
    const std::optional<MonitorKind> kind = state.SuspendMonitoring();
    rebindRegisteredVariables();
    mainFrame().link().pause(kPauseBeforeDownload);
    sciBoot_->run();
    state.ResumeMonitoring(kind);
}

void Application::rebindRegisteredVariables()
{
    if (registered_.empty() || image_.symbols().empty())
        return;
    LinkState& state = linkState();
    const bool wasMonitoring = state.variableMonitoring();
    if (wasMonitoring)
        state.ToggleVariableMonitoring();
    image::rebindToSymbols(registered_, image_.symbols());
    ports_.frame.registeredVariablesChanged();
    if (wasMonitoring)
        state.ToggleVariableMonitoring();
}

} // namespace lumetra::app
