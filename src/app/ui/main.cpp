// lumetra: the desktop application. Options: --simulate runs against an in-process simulated target running the
// demo program, which opens when no COFF file path is given, and keeps every change for that run only (no file is
// written); a COFF file path opens that file after start-up.
#include "app/simulated_run_settings.h"
#include "app/ui/desktop_application.h"
#ifndef _WIN32
#include "app/ui/lock_file_single_instance.h"
#endif
#include "app/ui/qt_translations.h"
#include "core/installed_data.h"
#include "core/path_text.h"
#include "core/qt/qsettings_store.h"
#include "sim/demo_program.h"
#include "sim/demo_target.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"

#include "link/platform_transport_factory.h"

#ifdef _WIN32
#include "app/named_mutex_single_instance.h"
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <QTranslator>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

using namespace lumetra;

namespace {

std::filesystem::path programFolder()
{
    return core::pathFromUtf8(QApplication::applicationDirPath().toStdString());
}

// The demo program for the simulated target: installed with the program, else the one of the build tree.
QString demoCoffPath()
{
    const std::optional<std::filesystem::path> installed = core::installedData(programFolder(), "demo.out");
    return installed ? QString::fromStdString(core::utf8Of(*installed)) : QStringLiteral(LUMETRA_DEMO_COFF);
}

// The simulation image set: installed with the program, else the one of the build tree.
std::filesystem::path simulationImagesFolder()
{
    const std::optional<std::filesystem::path> installed = core::installedData(programFolder(), "simulation-images");
    return installed ? *installed : std::filesystem::path(LUMETRA_SIMULATION_IMAGES);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QString::fromLatin1(core::qt::kOrganisationName));
    QApplication::setApplicationName(QString::fromLatin1(core::qt::kApplicationName));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption simulate(QStringLiteral("simulate"), QStringLiteral("Use a simulated POD and target."));
    parser.addOption(simulate);
    parser.addPositionalArgument(
        QStringLiteral("file"), QStringLiteral("COFF file to open."), QStringLiteral("[file]"));
    parser.process(application);

    std::unique_ptr<sim::PodSimulator> simulator;
    std::unique_ptr<link::TransportFactory> transports;
    if (parser.isSet(simulate)) {
        // The chip first: it starts with an old program in its flash, which the demo program then replaces.
        simulator = std::make_unique<sim::PodSimulator>(sim::SimConfig {.chip = sim::ChipConfig {sim::kDemoDeviceRow}});
        sim::configureDemoTarget(*simulator);
        transports = std::make_unique<sim::InProcessTransportFactory>(*simulator);
    } else {
        transports = std::make_unique<link::PlatformTransportFactory>();
    }

    // Without the translation files Qt's dialogs stay in English.
    const std::unique_ptr<QTranslator> qtKorean = app::ui::installQtKoreanTranslation(app::ui::qtTranslationsFolder());

    core::qt::QSettingsStore stored;
    std::unique_ptr<core::SettingsOverlay> simulatedRun;
    if (simulator)
        simulatedRun = app::simulatedRunSettings(stored, sim::kDemoDeviceRow);
    core::SettingsStore& store = simulatedRun ? static_cast<core::SettingsStore&>(*simulatedRun) : stored;

#ifdef _WIN32
    // A second start ends without a message.
    app::NamedMutexSingleInstance singleInstance;
#else
    app::ui::LockFileSingleInstance singleInstance;
#endif
    app::ui::DesktopApplication desktop(
        store, *transports, singleInstance, core::pathFromUtf8(QDir::currentPath().toStdString()));
    desktop.core().setStoresFiles(!simulator);
    if (simulator)
        desktop.core().setDeviceFollower([&simulator](int row) { sim::followDeviceRow(*simulator, row); });
    desktop.setImageSetLocations({simulationImagesFolder(), simulator != nullptr});
    if (desktop.start() != app::StartResult::Started) {
#ifndef _WIN32
        const std::string line
            = app::anotherInstanceLine(singleInstance.lockPath(app::kSingleInstanceName).toStdString());
        std::fputs(line.c_str(), stderr);
#endif
        return 0;
    }

    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        desktop.openCoffFile(QDir::current().absoluteFilePath(files.first()));
    else if (simulator)
        desktop.openCoffFile(demoCoffPath());

    return QApplication::exec();
}
