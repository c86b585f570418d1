// lumetra-cli watch and dump against lumetra-podsim: the rows they print, gaps, and the exit codes of failures.
#include "cli_process.h"
#include "podsim_process.h"

#include "support/coff_writer.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

using namespace lumetra::test;

namespace {

#ifdef LUMETRA_PODSIM_PATH

QStringList outputLines(const CliRun& run)
{
    return QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList fields(const QString& line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST(MonitorCli, DumpReadsAPageAndShowsTheGapsOfTheDevice)
{
    Podsim podsim;
    ASSERT_FALSE(podsim.device().isEmpty());
    ASSERT_EQ(runCli({"write", "0x7F", "0x4142", "--port", podsim.device()}).exitCode, 0);
    const CliRun run = runCli({"dump", "0x7C", "--device", "0", "--rows", "6", "--port", podsim.device()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = outputLines(run);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(fields(lines[0]), (QStringList {"0x007C", "0x0000", ".."}));
    EXPECT_EQ(fields(lines[3]), (QStringList {"0x007F", "0x4142", "BA"}));
    EXPECT_EQ(fields(lines[4]), (QStringList {"0x0080", "???", "???"}));

    // Clamped as the start address dialog clamps: a whole page of two-word cells below the range.
    const CliRun end
        = runCli({"dump", "0x3FFFFF", "--device", "26", "--view", "1", "--rows", "2", "--port", podsim.device()});
    ASSERT_EQ(end.exitCode, 0) << end.err.toStdString();
    EXPECT_EQ(fields(outputLines(end)[0])[0], "0x3FFFFA");
}

TEST(MonitorCli, DumpRefusesAnEmptyAddressAndBadOptions)
{
    const CliRun empty = runCli({"dump", " ", "--device", "0", "--port", "/nonexistent"});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_TRUE(empty.err.contains("주소값을 입력하십시요."));
    EXPECT_EQ(runCli({"dump", "0", "--device", "71", "--port", "/nonexistent"}).exitCode, 2);
    EXPECT_EQ(runCli({"dump", "0", "--device", "0", "--view", "8", "--port", "/nonexistent"}).exitCode, 2);
}

void writeProgram(const std::filesystem::path& path)
{
    CoffSection ram;
    ram.name = "ramdata";
    ram.startAddress = 0x8000;
    ram.words = {0, 0, 0, 0};
    CoffSymbol speed;
    speed.name = "_speed";
    speed.value = 0x8000;
    speed.type = coffType(3);
    CoffSymbol counter;
    counter.name = "_counter";
    counter.value = 0x8002;
    counter.type = coffType(5);
    CoffWriter(2, kTargetC28x).addSection(ram).addSymbol(speed).addSymbol(counter).writeTo(path);
}

TEST(MonitorCli, WatchPrintsTheRowsOfEveryPoll)
{
    ScratchDir dir;
    writeProgram(dir / "prog.out");
    const QString program = QString::fromStdString((dir / "prog.out").string());
    Podsim podsim;
    ASSERT_EQ(runCli({"write", "0x8000", "0xFFFE", "--port", podsim.device()}).exitCode, 0);
    ASSERT_EQ(runCli({"write", "0x8002", "0x00018000", "--width", "32", "--port", podsim.device()}).exitCode, 0);
    const CliRun run = runCli({"watch", program, "--device", "26", "speed", "counter", "--count", "2", "--interval",
        "1", "--port", podsim.device()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = outputLines(run);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "# poll 1");
    EXPECT_EQ(fields(lines[1]).mid(0, 2), (QStringList {"speed", "-2"}));
    EXPECT_TRUE(lines[1].contains("signed integer (16bit)"));
    EXPECT_EQ(fields(lines[2]).mid(0, 2), (QStringList {"counter", "98304"}));
    EXPECT_TRUE(lines[2].contains("Long"));
    EXPECT_EQ(lines[3], "# poll 2");

    const CliRun binary
        = runCli({"watch", program, "--device", "26", "counter", "--view", "7", "--port", podsim.device()});
    EXPECT_EQ(fields(outputLines(binary)[1])[1], "00000000000000011000000000000000");

    EXPECT_EQ(runCli({"watch", program, "--device", "26", "missing", "--port", podsim.device()}).exitCode, 2);
}

TEST(MonitorCli, WatchReportsAFailedRead)
{
    ScratchDir dir;
    writeProgram(dir / "prog.out");
    Podsim podsim({"--fault", "kind=wrong-ack,command=R,count=-1"});
    const CliRun run = runCli({"watch", QString::fromStdString((dir / "prog.out").string()), "--device", "26", "speed",
        "--port", podsim.device()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("통신 오류 발생 !"));
    EXPECT_TRUE(run.out.isEmpty());
}

#endif

} // namespace
