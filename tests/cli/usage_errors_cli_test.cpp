// Usage errors of every lumetra-cli command: exit code 2, one error line naming the command, then the command's
// usage line, all on standard error, before any file is loaded or any port is opened.
#include "cli_process.h"

#include "support/coff_writer.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <vector>

using namespace lumetra::test;

namespace {

// A port that cannot be opened: a command that got past its usage checks would exit 1 here, not 2.
const QString kNoPod = QStringLiteral("/nonexistent/pod");

struct UsageCase {
    const char* what;
    QStringList arguments; // after the command name
    QString message; // part of the error line
};

QStringList errorLines(const CliRun& run)
{
    return QString::fromUtf8(run.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void expectUsageErrors(const QString& command, const QString& usageLine, const std::vector<UsageCase>& cases)
{
    for (const UsageCase& usage : cases) {
        SCOPED_TRACE(usage.what);
        const CliRun run = runCli(QStringList {command} + usage.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        const QStringList lines = errorLines(run);
        if (lines.size() != 2) {
            ADD_FAILURE() << "expected an error line and the usage line, got:\n" << run.err.toStdString();
            continue;
        }
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("lumetra-cli %1: ").arg(command))) << lines[0].toStdString();
        EXPECT_TRUE(lines[0].contains(usage.message)) << lines[0].toStdString();
        EXPECT_EQ(lines[1], usageLine);
    }
}

// The errors every command that talks to the POD shares, with `before` as its positional arguments.
std::vector<UsageCase> linkUsageCases(const QStringList& before)
{
    return {
        {"unknown option", before + QStringList {"--bogus", "--port", kNoPod}, "unknown option '--bogus'"},
        {"neither port nor usb", before, "give either --port DEVICE or --usb"},
        {"both port and usb", before + QStringList {"--usb", "--port", kNoPod}, "give either --port DEVICE or --usb"},
        {"port without its value", before + QStringList {"--port"}, "missing value after '--port'"},
        {"empty port", before + QStringList {"--port="}, "--port takes COM1 to COM16 or a device path"},
        {"COM0", before + QStringList {"--port", "COM0"}, "--port takes COM1 to COM16 or a device path"},
        {"COM17", before + QStringList {"--port", "com17"}, "--port takes COM1 to COM16 or a device path"},
        {"port given twice", before + QStringList {"--port", kNoPod, "--port", kNoPod},
            "--port is given more than once"},
        {"baud above 8", before + QStringList {"--baud", "9", "--port", kNoPod}, "--baud takes 0 to 8"},
        {"baud not a number", before + QStringList {"--baud", "fast", "--port", kNoPod}, "--baud takes 0 to 8"},
        {"negative baud", before + QStringList {"--baud", "-1", "--port", kNoPod}, "--baud takes 0 to 8"},
        {"timeout 0", before + QStringList {"--timeout", "0", "--port", kNoPod}, "--timeout takes 1 to 600000"},
        {"timeout above the limit", before + QStringList {"--timeout", "600001", "--port", kNoPod},
            "--timeout takes 1 to 600000"},
        {"timeout without its value", before + QStringList {"--port", kNoPod, "--timeout"},
            "missing value after '--timeout'"},
        {"txdelay above 6", before + QStringList {"--txdelay", "7", "--port", kNoPod}, "--txdelay takes 0 to 6"},
        {"usb with a value", before + QStringList {"--usb=1"}, "unexpected value after '--usb'"},
    };
}

TEST(UsageErrorsCli, Devices)
{
    expectUsageErrors("devices", "Usage: lumetra-cli devices [options]",
        {
            {"unknown option", {"--bogus"}, "unknown option '--bogus'"},
            {"long option with one dash", {"-json"}, "unknown option '-json'"},
            {"stray argument", {"stray"}, "unexpected argument 'stray'"},
            {"json with a value", {"--json=yes"}, "unexpected value after '--json'"},
            {"a link option", {"--port", kNoPod}, "unknown option '--port'"},
        });
}

TEST(UsageErrorsCli, Info)
{
    expectUsageErrors("info", "Usage: lumetra-cli info [options] file",
        {
            {"no file", {}, "missing file"},
            {"two files", {"a.out", "b.out"}, "unexpected argument 'b.out'"},
            {"unknown option", {"a.out", "--bogus"}, "unknown option '--bogus'"},
            {"device not a number", {"a.out", "--device", "x"}, "--device expects a number, not 'x'"},
            {"device without its value", {"a.out", "--device"}, "missing value after '--device'"},
            {"device given twice", {"a.out", "--device", "1", "--device", "2"}, "--device is given more than once"},
        });
}

TEST(UsageErrorsCli, Sym)
{
    expectUsageErrors("sym", "Usage: lumetra-cli sym [options] file",
        {
            {"no file", {}, "missing file"},
            {"two files", {"a.sym", "b.sym"}, "unexpected argument 'b.sym'"},
            {"unknown option", {"a.sym", "--bogus"}, "unknown option '--bogus'"},
            {"json with a value", {"a.sym", "--json=1"}, "unexpected value after '--json'"},
        });
}

TEST(UsageErrorsCli, CommandsWithoutArguments)
{
    for (const QString command : {"ping", "version", "reset"}) {
        SCOPED_TRACE(command.toStdString());
        std::vector<UsageCase> cases = linkUsageCases({});
        cases.push_back({"stray argument", {"stray", "--port", kNoPod}, "unexpected argument 'stray'"});
        cases.push_back({"a negative number", {"-5", "--port", kNoPod}, "unknown option '-5'"});
        expectUsageErrors(command, QStringLiteral("Usage: lumetra-cli %1 [options]").arg(command), cases);
    }
}

TEST(UsageErrorsCli, Read)
{
    std::vector<UsageCase> cases = linkUsageCases({"0x8000"});
    const std::vector<UsageCase> own {
        {"no address", {"--port", kNoPod}, "missing ADDR"},
        {"three arguments", {"0", "1", "2", "--port", kNoPod}, "unexpected argument '2'"},
        {"address not a number", {"0x80zz", "--port", kNoPod}, "ADDR must be a word address below 0x400000"},
        {"address with a sign", {"+5", "--port", kNoPod}, "ADDR must be a word address below 0x400000"},
        {"negative address", {"-5", "--port", kNoPod}, "unknown option '-5'"},
        {"address past the space", {"0x400000", "--port", kNoPod}, "ADDR must be a word address below 0x400000"},
        {"count 0", {"0", "0", "--port", kNoPod}, "COUNT must be at least 1"},
        {"count not a number", {"0", "many", "--port", kNoPod}, "COUNT must be at least 1"},
        {"count past the end", {"0x3FFFFF", "2", "--port", kNoPod}, "COUNT must be at least 1"},
        {"32-bit count past the end", {"0x3FFFFC", "3", "--width", "32", "--port", kNoPod}, "COUNT must be at least 1"},
        {"width 8", {"0", "--width", "8", "--port", kNoPod}, "--width takes 16 or 32"},
        {"width without its value", {"0", "--port", kNoPod, "--width"}, "missing value after '--width'"},
        {"width given twice", {"0", "--width", "16", "--width", "32", "--port", kNoPod},
            "--width is given more than once"},
    };
    cases.insert(cases.end(), own.begin(), own.end());
    expectUsageErrors("read", "Usage: lumetra-cli read [options] ADDR [COUNT]", cases);
}

TEST(UsageErrorsCli, Write)
{
    std::vector<UsageCase> cases = linkUsageCases({"0x8000", "1"});
    const std::vector<UsageCase> own {
        {"no arguments", {"--port", kNoPod}, "missing ADDR"},
        {"no value", {"0x100", "--port", kNoPod}, "missing VALUE"},
        {"three arguments", {"0x100", "1", "2", "--port", kNoPod}, "unexpected argument '2'"},
        {"negative value", {"0x100", "-5", "--port", kNoPod}, "unknown option '-5'"},
        {"value not a number", {"0x100", "12x", "--port", kNoPod}, "VALUE must fit in 16 bits"},
        {"value above 16 bits", {"0x100", "0x10000", "--port", kNoPod}, "VALUE must fit in 16 bits"},
        {"value above 32 bits", {"0x100", "0x100000000", "--width", "32", "--port", kNoPod},
            "VALUE must fit in 32 bits"},
        {"address past the space", {"0x400000", "1", "--port", kNoPod}, "ADDR must be a word address inside"},
        {"address wider than 32 bits", {"0x100000000", "1", "--port", kNoPod}, "ADDR must be a word address inside"},
        {"32-bit word past the end", {"0x3FFFFF", "1", "--width", "32", "--port", kNoPod},
            "ADDR must be a word address inside"},
        {"width 64", {"0", "1", "--width", "64", "--port", kNoPod}, "--width takes 16 or 32"},
    };
    cases.insert(cases.end(), own.begin(), own.end());
    expectUsageErrors("write", "Usage: lumetra-cli write [options] ADDR VALUE", cases);
}

TEST(UsageErrorsCli, Watch)
{
    ScratchDir dir;
    const QString program = QString::fromStdString((dir / "prog.out").string());
    CoffWriter(2, kTargetC28x).addSection(CoffSection::withData("ramdata", 0x8000, {0})).writeTo(dir / "prog.out");
    // A file that does not exist: the options are checked before it would be loaded.
    const QString absent = QString::fromStdString((dir / "absent.out").string());

    std::vector<UsageCase> cases = linkUsageCases({absent, "speed", "--device", "26"});
    const std::vector<UsageCase> own {
        {"no arguments", {"--device", "26", "--port", kNoPod}, "missing FILE.out"},
        {"no variable", {absent, "--device", "26", "--port", kNoPod}, "missing VAR"},
        {"no device", {absent, "speed", "--port", kNoPod}, "--device takes a device index 0 to 70"},
        {"device 71", {absent, "speed", "--device", "71", "--port", kNoPod}, "--device takes a device index 0 to 70"},
        {"view 8", {absent, "speed", "--device", "26", "--view", "8", "--port", kNoPod},
            "--view takes a view type code 0 to 7"},
        {"interval not a number", {absent, "speed", "--device", "26", "--interval", "soon", "--port", kNoPod},
            "--interval takes a whole number from 0"},
        {"negative count", {absent, "speed", "--device", "26", "--count", "-1", "--port", kNoPod},
            "--count takes a whole number from 0"},
        {"count without its value", {absent, "speed", "--device", "26", "--port", kNoPod, "--count"},
            "missing value after '--count'"},
        {"variable not in the program", {program, "speed", "--device", "26", "--port", kNoPod},
            "no variable 'speed' in"},
    };
    cases.insert(cases.end(), own.begin(), own.end());
    expectUsageErrors("watch", "Usage: lumetra-cli watch [options] FILE.out VAR...", cases);
}

TEST(UsageErrorsCli, Dump)
{
    std::vector<UsageCase> cases = linkUsageCases({"0x8000", "--device", "26"});
    const std::vector<UsageCase> own {
        {"no address", {"--device", "26", "--port", kNoPod}, "missing ADDR"},
        {"two addresses", {"0", "1", "--device", "26", "--port", kNoPod}, "unexpected argument '1'"},
        {"empty address", {" ", "--device", "26", "--port", kNoPod}, QString::fromUtf8("주소값을 입력하십시요.")},
        // The dialog's rule would start these at 0 or at the last word; a command line refuses them as read does.
        {"address wider than 32 bits", {"0x100000000", "--device", "26", "--port", kNoPod},
            "ADDR must be a word address below 0x400000"},
        {"address past the space", {"0x400000", "--device", "26", "--port", kNoPod},
            "ADDR must be a word address below 0x400000"},
        {"address with a stray letter", {"12abc", "--device", "26", "--port", kNoPod},
            "ADDR must be a word address below 0x400000"},
        {"no device", {"0", "--port", kNoPod}, "--device takes a device index 0 to 70"},
        {"device not a number", {"0", "--device", "F2812", "--port", kNoPod}, "--device takes a device index 0 to 70"},
        {"view 8", {"0", "--device", "26", "--view", "8", "--port", kNoPod}, "--view takes a view type code 0 to 7"},
        {"rows 0", {"0", "--device", "26", "--rows", "0", "--port", kNoPod}, "--rows takes a whole number from 1"},
    };
    cases.insert(cases.end(), own.begin(), own.end());
    expectUsageErrors("dump", "Usage: lumetra-cli dump [options] ADDR", cases);
}

TEST(UsageErrorsCli, HelpShowsTheUsageLineOfTheCommandAndSucceeds)
{
    const std::vector<std::pair<QString, QString>> usageLines {
        {"devices", "Usage: lumetra-cli devices [options]"},
        {"info", "Usage: lumetra-cli info [options] file"},
        {"sym", "Usage: lumetra-cli sym [options] file"},
        {"ping", "Usage: lumetra-cli ping [options]"},
        {"version", "Usage: lumetra-cli version [options]"},
        {"reset", "Usage: lumetra-cli reset [options]"},
        {"read", "Usage: lumetra-cli read [options] ADDR [COUNT]"},
        {"write", "Usage: lumetra-cli write [options] ADDR VALUE"},
        {"watch", "Usage: lumetra-cli watch [options] FILE.out VAR..."},
        {"dump", "Usage: lumetra-cli dump [options] ADDR"},
    };
    for (const auto& [command, usageLine] : usageLines) {
        SCOPED_TRACE(command.toStdString());
        for (const QString help : {"--help", "-h"}) {
            const CliRun run = runCli({command, help});
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
            EXPECT_EQ(QString::fromUtf8(run.out).section(QLatin1Char('\n'), 0, 0), usageLine);
        }
    }
}

} // namespace
