// lumetra-cli [link options] <command> [options]: the link options before the command name, and the usage errors
// of the program's own arguments.
#include "cli_process.h"
#include "podsim_process.h"

#include "support/coff_writer.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <vector>

using namespace lumetra::test;

namespace {

const QString kUsageLine = QStringLiteral("Usage: lumetra-cli [link options] <command> [options]");

QStringList errorLines(const CliRun& run)
{
    return QString::fromUtf8(run.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST(LeadingLinkOptionsCli, ProgramUsageErrorsExit2WithTheErrorAndTheUsageLine)
{
    const struct {
        const char* what;
        QStringList arguments;
        QString message;
    } cases[] {
        {"nothing", {}, "no command given"},
        {"only a link option", {"--port", "/nonexistent/pod"}, "no command given"},
        {"a link option without its value", {"--port"}, "missing value after '--port'"},
        {"a command's own option before it", {"--json", "devices"},
            "only the link options can come before the command, not '--json'"},
        {"an unknown option before the command", {"--bogus", "ping"},
            "only the link options can come before the command, not '--bogus'"},
        {"an unknown command", {"frobnicate"}, "unknown command 'frobnicate'"},
        {"an unknown command after a link option", {"--usb", "frobnicate"}, "unknown command 'frobnicate'"},
    };
    for (const auto& usage : cases) {
        SCOPED_TRACE(usage.what);
        const CliRun run = runCli(usage.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        const QStringList lines = errorLines(run);
        ASSERT_GE(lines.size(), 2) << run.err.toStdString();
        EXPECT_EQ(lines[0], QStringLiteral("lumetra-cli: ") + usage.message);
        EXPECT_EQ(lines[1], kUsageLine);
    }

    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(kUsageLine.toUtf8() + '\n')) << help.out.toStdString();
}

TEST(LeadingLinkOptionsCli, CommandsWithoutALinkRefuseThem)
{
    for (const QStringList& arguments : {QStringList {"--port", "/nonexistent/pod", "devices"},
             QStringList {"--usb", "sym", "a.sym"}, QStringList {"--baud", "2", "info", "a.out"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 2);
        const QStringList lines = errorLines(run);
        ASSERT_EQ(lines.size(), 2) << run.err.toStdString();
        EXPECT_TRUE(lines[0].contains(QStringLiteral("unknown option '%1'").arg(arguments[0])))
            << lines[0].toStdString();
    }
}

TEST(LeadingLinkOptionsCli, UsbBeforeTheCommandSelectsTheUsbPod)
{
    // No D2XX library or no USB POD here: the USB connection fails with its own message, not a usage error.
    const CliRun run = runCli({"--usb", "ping"});
    EXPECT_EQ(run.exitCode, 1);
    const QString error = QString::fromUtf8(run.err);
    EXPECT_TRUE(error.contains(QString::fromUtf8("FTD2XX.dll 파일를 로드할 수 없읍니다."))
        || error.contains(QString::fromUtf8("USB POD의 연결 상태에 문제가 발생하였읍니다.")))
        << error.toStdString();
}

#ifdef LUMETRA_PODSIM_PATH

void writeProgram(const std::filesystem::path& path)
{
    CoffSymbol level;
    level.name = "_level";
    level.value = 0x9000;
    level.type = coffType(4);
    CoffWriter(2, kTargetC28x).addSection(CoffSection::withData("ramdata", 0x9000, {0})).addSymbol(level).writeTo(path);
}

TEST(LeadingLinkOptionsCli, EveryLinkCommandTakesThePortBeforeItsName)
{
    ScratchDir dir;
    writeProgram(dir / "prog.out");
    const QString program = QString::fromStdString((dir / "prog.out").string());
    Podsim podsim;
    ASSERT_FALSE(podsim.device().isEmpty());
    const QStringList port {"--port", podsim.device()};

    const std::vector<QStringList> commands {
        {"write", "0x9000", "0x1234"},
        {"read", "0x9000", "2"},
        {"dump", "0x9000", "--device", "26", "--rows", "2"},
        {"watch", program, "level", "--device", "26"},
        {"ping"},
        {"version"},
        {"reset"},
    };
    for (const QStringList& command : commands) {
        SCOPED_TRACE(command.join(' ').toStdString());
        const CliRun after = runCli(command + port);
        const CliRun before = runCli(port + command);
        ASSERT_EQ(after.exitCode, 0) << after.err.toStdString();
        EXPECT_EQ(before.exitCode, 0) << before.err.toStdString();
        EXPECT_EQ(before.out, after.out);
        EXPECT_TRUE(before.err.isEmpty()) << before.err.toStdString();
    }
}

TEST(LeadingLinkOptionsCli, EveryLinkOptionBeforeTheCommandIsTheCommandsOwn)
{
    Podsim podsim;
    ASSERT_FALSE(podsim.device().isEmpty());
    const QString device = podsim.device();
    ASSERT_EQ(runCli({"--port=" + device, "write", "0x9000", "0xBEEF"}).exitCode, 0);

    const CliRun all = runCli(
        {"--port", device, "--baud", "2", "--timeout", "500", "--txdelay", "1", "read", "0x9000", "--width", "16"});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.out, "0x009000: 0xBEEF\n");
    const CliRun split = runCli({"--timeout", "500", "read", "0x9000", "--port", device});
    EXPECT_EQ(split.exitCode, 0) << split.err.toStdString();
    EXPECT_EQ(split.out, all.out);

    // The command checks them as its own: their errors are the command's usage errors.
    const struct {
        QStringList arguments;
        QString message;
    } refused[] {
        {{"--port", device, "--baud", "9", "read", "0x9000"}, "--baud takes 0 to 8"},
        {{"--port", device, "--timeout", "0", "read", "0x9000"}, "--timeout takes 1 to 600000"},
        {{"--port", device, "--txdelay", "7", "read", "0x9000"}, "--txdelay takes 0 to 6"},
        {{"--usb", "read", "0x9000", "--port", device}, "give either --port DEVICE or --usb"},
        {{"--port", device, "read", "0x9000", "--port", device}, "--port is given more than once"},
        {{"--port", device, "read"}, "missing ADDR"},
    };
    for (const auto& usage : refused) {
        SCOPED_TRACE(usage.arguments.join(' ').toStdString());
        const CliRun run = runCli(usage.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(errorLines(run),
            (QStringList {QStringLiteral("lumetra-cli read: ") + usage.message,
                "Usage: lumetra-cli read [options] ADDR [COUNT]"}));
    }
}

#endif

} // namespace
