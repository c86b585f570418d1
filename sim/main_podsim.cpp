// lumetra-podsim: the POD and target simulator served on a pseudo-terminal. Prints the device path on the
// first line of standard output, then serves until SIGINT, SIGTERM or the end of standard input.
#include "sim/demo_target.h"
#include "sim/fault_option.h"
#include "sim/pod_simulator.h"
#include "sim/pseudo_terminal.h"
#include "sim/pty_server.h"

#include "core/path_text.h"
#include "programming/image_set_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

using namespace lumetra::sim;

namespace {

int stopPipe[2] = {-1, -1};

void onStopSignal(int)
{
    const char byte = 0;
    [[maybe_unused]] const auto written = ::write(stopPipe[1], &byte, 1);
}

std::optional<std::string> podDescription(const QString& kind)
{
    if (kind == QLatin1String("usb-pod"))
        return "USB POD";
    if (kind == QLatin1String("uta-pod"))
        return "Vestral_UTA POD";
    if (kind == QLatin1String("korimat"))
        return "Korimat USBCOM";
    return std::nullopt;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "lumetra-podsim: %s\n", message.toLocal8Bit().constData());
    return 2;
}

bool writeDataFlash(const PodSimulator& simulator, const QString& path)
{
    const std::vector<std::uint8_t> content = simulator.dataFlash(0, 0x400000);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto size = static_cast<qint64>(content.size());
    return file.write(reinterpret_cast<const char*>(content.data()), size) == size;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumetra-podsim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serves the POD and target simulator on a pseudo-terminal and prints its device path."));
    parser.addHelpOption();
    const QCommandLineOption firmware(QStringLiteral("firmware"), QStringLiteral("Firmware version (13 is 1.30)."),
                                      QStringLiteral("N"), QStringLiteral("21"));
    const QCommandLineOption podKind(QStringLiteral("pod-kind"),
                                     QStringLiteral("USB description the POD reports: usb-pod, uta-pod or korimat."),
                                     QStringLiteral("KIND"), QStringLiteral("usb-pod"));
    const QCommandLineOption wireTime(QStringLiteral("wire-time"),
                                      QStringLiteral("Delay every byte by its time on the line."));
    const QCommandLineOption wireBaud(QStringLiteral("wire-baud"),
                                      QStringLiteral("Line speed for the wire time (default 115200)."),
                                      QStringLiteral("BAUD"), QStringLiteral("115200"));
    const QCommandLineOption fault(QStringLiteral("fault"),
        QStringLiteral("Arm a fault, e.g. kind=no-reply,command=R,skip=2,count=1 "
                       "(kinds: no-reply, wrong-ack, short-reply, delay, stall, "
                       "stray-byte, hang-up, corrupt-page; keys: command, skip, count, delay (ms of "
                       "a delay or stall), after (reply bytes before a stall, host "
                       "bytes before a hang-up)). Repeatable."),
        QStringLiteral("SPEC"));
    const QCommandLineOption ignoreStdin(QStringLiteral("ignore-stdin"),
                                         QStringLiteral("Keep serving at the end of standard input."));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Run the demo program's target: its variables move."));
    const QCommandLineOption chip(QStringLiteral("device"),
                                  QStringLiteral("Put a chip of this device index behind the POD for the programming "
                                                 "runs: it checks the simulation images word for word and has "
                                                 "flash and a code security module."),
                                  QStringLiteral("N"));
    const QCommandLineOption password(QStringLiteral("csm-password"),
                                      QStringLiteral("The chip's CSM password: eight hexadecimal words, KEY0 first, "
                                                     "separated by commas (default: an unsecured chip)."),
                                      QStringLiteral("K0,..."));
    const QCommandLineOption images(QStringLiteral("images"),
                                    QStringLiteral("The chip checks the images it receives against the image set "
                                                   "in DIR (its image-set.txt) instead of the simulation set."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption dataFlashDump(QStringLiteral("data-flash-dump"),
        QStringLiteral("On exit, write the SPI data flash's content (the size of "
                       "the type last chosen by record 71) to FILE."),
        QStringLiteral("FILE"));
    parser.addOptions({firmware, podKind, wireTime, wireBaud, fault, ignoreStdin, demo, chip, password, images,
                       dataFlashDump});
    parser.process(app);

    bool ok = false;
    const uint version = parser.value(firmware).toUInt(&ok);
    if (!ok || version > 99)
        return fail(QStringLiteral("--firmware takes 0 to 99"));
    const auto description = podDescription(parser.value(podKind));
    if (!description)
        return fail(QStringLiteral("unknown --pod-kind '%1'").arg(parser.value(podKind)));
    const int baud = parser.value(wireBaud).toInt(&ok);
    if (!ok || baud <= 0)
        return fail(QStringLiteral("--wire-baud takes a positive number"));
    std::vector<Fault> faults;
    for (const QString& text : parser.values(fault)) {
        const auto parsed = parseFaultOption(text.toStdString());
        if (!parsed)
            return fail(QStringLiteral("bad --fault '%1'").arg(text));
        faults.push_back(*parsed);
    }

    std::optional<ChipConfig> chipConfig;
    if (parser.isSet(chip)) {
        const int device = parser.value(chip).toInt(&ok);
        if (!ok || device < 0 || device > 70)
            return fail(QStringLiteral("--device takes 0 to 70"));
        chipConfig = ChipConfig{device};
    }
    if (parser.isSet(password)) {
        const QStringList words = parser.value(password).split(QLatin1Char(','));
        if (!chipConfig || words.size() != 8)
            return fail(QStringLiteral("--csm-password takes eight words and needs --device"));
        std::array<std::uint16_t, 8> keys{};
        for (qsizetype k = 0; k < words.size(); ++k) {
            const uint value = words[k].toUInt(&ok, 16);
            if (!ok || value > 0xFFFF)
                return fail(QStringLiteral("bad --csm-password word '%1'").arg(words[k]));
            keys[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(value);
        }
        chipConfig->password = keys;
    }
    if (parser.isSet(images)) {
        if (!chipConfig)
            return fail(QStringLiteral("--images needs --device"));
        auto load = lumetra::programming::loadImageSet(lumetra::core::pathFromUtf8(parser.value(images).toStdString()));
        if (const auto* error = std::get_if<lumetra::programming::ImageSetError>(&load))
            return fail(QString::fromStdString(error->text));
        chipConfig->images = std::make_shared<const lumetra::programming::ImageSet>(
            std::move(std::get<lumetra::programming::ImageSet>(load)));
    }

    PodSimulator simulator;
    simulator.configure([&](SimConfig& config) {
        config.firmwareVersion = static_cast<std::uint8_t>(version);
        config.usbDescription = *description;
        config.wireTime = parser.isSet(wireTime);
        config.chip = chipConfig;
    });
    simulator.setHostBaud(baud);
    if (parser.isSet(demo))
        configureDemoTarget(simulator);
    for (const Fault& armed : faults)
        simulator.injectFault(armed);

    auto terminal = PseudoTerminal::open();
    if (!terminal)
        return fail(QStringLiteral("cannot open a pseudo-terminal"));
    if (::pipe2(stopPipe, O_CLOEXEC) != 0)
        return fail(QStringLiteral("cannot create the stop pipe"));
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
    std::signal(SIGPIPE, SIG_IGN);
#ifdef __linux__
    // Wake-ups on time to the microsecond: reply bytes at 921600 baud are 11 us apart.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
#endif

    std::printf("%s\n", terminal->slavePath().c_str());
    std::fflush(stdout);

    PtyServer server(*terminal, simulator);
    const bool served = server.run(stopPipe[0], parser.isSet(ignoreStdin) ? -1 : STDIN_FILENO);
    if (parser.isSet(dataFlashDump) && !writeDataFlash(simulator, parser.value(dataFlashDump)))
        return fail(QStringLiteral("cannot write '%1'").arg(parser.value(dataFlashDump)));
    return served ? 0 : fail(QStringLiteral("the pseudo-terminal failed"));
}
