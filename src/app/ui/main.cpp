// lumetra: the desktop application. Options: --simulate runs against an in-process simulated POD; a COFF file
// path opens that file after start-up.
#include "app/path_text.h"
#include "app/ui/desktop_application.h"
#include "app/ui/lock_file_single_instance.h"
#include "core/qt/qsettings_store.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"

#ifndef _WIN32
#include "link/posix_transport_factory.h"
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <memory>

using namespace lumetra;

namespace {

// The simulated POD with a few moving variables to watch.
std::unique_ptr<sim::PodSimulator> makeSimulator()
{
    auto simulator = std::make_unique<sim::PodSimulator>();
    simulator->addAnimation({.kind = sim::AnimationKind::Counter16, .address = 0x8000, .rate = 100.0});
    simulator->addAnimation(
        {.kind = sim::AnimationKind::SineFloat32, .address = 0x8002, .rate = 0.5, .amplitude = 10.0});
    simulator->addAnimation({.kind = sim::AnimationKind::RampLong32, .address = 0x8004, .rate = 1000.0});
    simulator->addAnimation(
        {.kind = sim::AnimationKind::SineTable16, .address = 0x8100, .rate = 1.0, .amplitude = 1.0, .length = 64});
    return simulator;
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
        simulator = makeSimulator();
        transports = std::make_unique<sim::InProcessTransportFactory>(*simulator);
    } else {
#ifndef _WIN32
        transports = std::make_unique<link::PosixTransportFactory>();
#else
#error "lumetra needs the transport factory of this platform"
#endif
    }

    core::qt::QSettingsStore store;
    app::ui::LockFileSingleInstance singleInstance;
    app::ui::DesktopApplication desktop(
        store, *transports, singleInstance, app::pathFromUtf8(QDir::currentPath().toStdString()));
    if (desktop.start() != app::StartResult::Started)
        return 0;

    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        desktop.openCoffFile(QDir::current().absoluteFilePath(files.first()));

    return QApplication::exec();
}
