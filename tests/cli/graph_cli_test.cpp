// lumetra-cli graph against lumetra-podsim: the exact values of memory graphs, the rows of a time graph, a read
// fault, Ctrl+C, the exports written as the window writes them, a port in use, and the usage errors.
#include "cli_process.h"
#include "podsim_process.h"

#include "link/posix_serial_transport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <optional>
#include <thread>

using namespace lumetra::test;

namespace {

// The helpers of the tests against lumetra-podsim, below.
#ifdef LUMETRA_PODSIM_PATH
QStringList csvLines(const CliRun& run)
{
    return QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A field of a process's /proc file ("SigCgt:\t0000000000000002"), as the text after its name.
std::optional<QByteArray> procField(pid_t pid, const char* file, const QByteArray& name)
{
    for (const QByteArray& line :
        fileBytes(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file))).split('\n'))
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed();
    return std::nullopt;
}

// Whether the process has a handler of its own for the signal.
bool catchesSignal(pid_t pid, int signal)
{
    const std::optional<QByteArray> mask = procField(pid, "status", "SigCgt");
    return mask && (mask->toULongLong(nullptr, 16) >> (signal - 1) & 1) != 0;
}

// The write calls the process has made so far.
std::optional<long long> writeCalls(pid_t pid)
{
    const std::optional<QByteArray> count = procField(pid, "io", "syscw");
    bool ok = false;
    const long long calls = count ? count->toLongLong(&ok) : 0;
    return ok ? std::optional<long long>(calls) : std::nullopt;
}

// Polls the condition until it holds; false only when it has not within half a minute.
template <typename Condition> bool becomesTrue(Condition condition)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
#endif

TEST(GraphCliUsage, RefusesBadInvocationsBeforeOpeningThePort)
{
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const std::vector<Case> cases {
        {{"--memory", "0x9000:4:short", "--time", "0x8000:short", "--interval", "1", "--count", "1"}, "either"},
        {{}, "either --memory or --time"},
        {{"--memory", "0x9000:4:short", "--csv", "--json"}, "either --csv or --json"},
        {{"--time", "0x8000:short", "--interval", "10"}, "--interval MS and --count N"},
        {{"--time", "0x8000:short", "--count", "3"}, "--interval MS and --count N"},
        {{"--memory", "0x9000:4:short", "--count", "3"}, "belong to a time graph"},
        {{"--time", "0x8000:short", "--interval", "10", "--count", "0"}, "--count takes 1 to 5000"},
        {{"--time", "0x8000:short", "--interval", "10", "--count", "5001"}, "--count takes 1 to 5000"},
        {{"--memory", "0x9000:4:word"}, "unknown type 'word'"},
        {{"--memory", "0x9000:short"}, "ADDR:LENGTH:TYPE[:LABEL]"},
        {{"--memory", ":4:short"}, "주소 값을 입력하십시요."},
        {{"--memory", "0x9000::short"}, "데이터 길이 값을 입력하십시요."},
        {{"--memory", "0x9000:4:short:"}, "레이블 이름을 입력하십시요."},
        {{"--memory", "0x90G0:4:short"}, "주소 입력이 잘못되었읍니다."},
        {{"--memory", "0x9000:4-:short"}, "데이터 길이 입력이 잘못되었읍니다."},
        {{"--memory", "0x400000:4:short"}, "입력한 주소 값이 최대 주소 범위(0x3FFFFF)를 초과합니다."},
        {{"--memory", "0x9000:1:short"}, "데이터 길이 값은 최소 1보다 커야 합니다."},
        // Two words an element: 0x3FFFF0 + 2 * 8 reaches the end of the address space.
        {{"--memory", "0x3FFFF0:8:long"}, "최대 메모리 범위(0x3FFFFF Words)를 초과합니다."},
        {{"--time", "0x400000:float", "--interval", "1", "--count", "1"}, "최대 주소 범위(0x3FFFFF)"},
        {{"--memory", "1A:4:short"}, "주소 입력이 잘못되었읍니다."},
        {{"--memory", "0x9000:4:short:A", "--memory", "0x9100:4:short:A"}, "같은 이름의 항목이 이미 등록 되었읍니다."},
        {{"--memory", "0x9000:4:short", "--memory", "0x9100:4:short:CH1"}, "같은 이름의 항목이 이미 등록 되었읍니다."},
        {{"--time", "1:short", "--time", "2:short", "--time", "3:short", "--time", "4:short", "--time", "5:short",
             "--interval", "1", "--count", "1"},
            "at most 4 channels"},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(QStringList {"graph"} + c.arguments + QStringList {"--port", "/nonexistent"});
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(GraphCliUsage, AConnectFailureShowsItsMessageAndWritesNothing)
{
    const CliRun run = runCli({"graph", "--memory", "0x9000:4:short", "--port", "/nonexistent"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("통신 포트를 여는데 실패했읍니다.")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

#ifdef LUMETRA_PODSIM_PATH

TEST(GraphCli, AMemoryGraphPrintsTheWordsWrittenInEveryType)
{
    Podsim podsim;
    ASSERT_FALSE(podsim.device().isEmpty());
    for (const auto& [address, value] : {std::pair {"0x9000", "0xFFFF"}, {"0x9001", "1"}, {"0x9002", "0x8000"}})
        ASSERT_EQ(runCli({"write", address, value, "--port", podsim.device()}).exitCode, 0);
    ASSERT_EQ(runCli({"write", "0x9010", "0x3FC00000", "--width", "32", "--port", podsim.device()}).exitCode, 0);
    ASSERT_EQ(runCli({"write", "0x9012", "0xBDCCCCCD", "--width", "32", "--port", podsim.device()}).exitCode, 0);

    const CliRun run = runCli({"graph", "--memory", "0x9000:3:short:signed", "--memory", "9000H:3:unsigned short",
        "--memory", "0x9010:2:float:f,x", "--memory", "0x9000:2:unsigned long", "--port", podsim.device()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(csvLines(run),
        (QStringList {
            "index,signed,CH2,\"f,x\",CH4", "0,-1,65535,1.5,131071", "1,1,1,-0.1,32768", "2,-32768,32768,,"}));
}

// Two programs on one port: the second is refused with the cause beside the system's message, even as root.
TEST(GraphCli, APortInUseByAnotherProgramIsRefusedWithThatCause)
{
    Podsim podsim;
    ASSERT_FALSE(podsim.device().isEmpty());
    const QStringList graph {"graph", "--memory", "0x9000:4:short", "--port", podsim.device()};
    {
        const auto held = lumetra::link::PosixSerialTransport::open(podsim.device().toStdString());
        ASSERT_NE(held, nullptr);
        const CliRun run = runCli(graph);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.isEmpty());
        const QString cause = QString::fromUtf8("통신 포트를 여는데 실패했읍니다. (%1 포트를 다른 프로그램이 사용하고 있읍니다: ");
        EXPECT_TRUE(QString::fromUtf8(run.err).startsWith(cause.arg(podsim.device()))) << run.err.toStdString();
    }
    EXPECT_EQ(runCli(graph).exitCode, 0);
}

TEST(GraphCli, AMemoryGraphOfTheDemoMatrixAsJson)
{
    Podsim podsim({"--demo"});
    const CliRun run = runCli({"graph", "--memory", "0x8018:12:integer:Matrix", "--json", "--port", podsim.device()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject graph = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(graph["kind"].toString(), "memory");
    const QJsonArray channels = graph["channels"].toArray();
    ASSERT_EQ(channels.size(), 1);
    const QJsonObject matrix = channels[0].toObject();
    EXPECT_EQ(matrix["label"].toString(), "Matrix");
    EXPECT_EQ(matrix["address"].toInt(), 0x8018);
    EXPECT_EQ(matrix["type"].toString(), "integer");
    EXPECT_EQ(matrix["length"].toInt(), 12);
    EXPECT_EQ(matrix["values"].toArray(), (QJsonArray {11, 12, 13, 14, 21, 22, 23, 24, 31, 32, 33, 34}));
}

TEST(GraphCli, ATimeGraphOfTheDemoVariablesPrintsOneRowPerSample)
{
    Podsim podsim({"--demo"});
    const CliRun run = runCli({"graph", "--time", "0x8000:unsigned integer:Counter", "--time", "0x800F:short", "--time",
        "0x8002:float:SineWave", "--time", "0x8016:long", "--interval", "20", "--count", "6", "--port",
        podsim.device()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = csvLines(run);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "sample,time_ms,Counter,CH2,SineWave,CH4");
    double previousTime = 0.0;
    for (int n = 1; n <= 6; ++n) {
        const QStringList cells = lines[n].split(QLatin1Char(','));
        ASSERT_EQ(cells.size(), 6) << lines[n].toStdString();
        EXPECT_EQ(cells[0].toInt(), n - 1);
        // Milliseconds from the start with three decimals, one sample after the other.
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]+\\.[0-9]{3}$")).match(cells[1]).hasMatch())
            << cells[1].toStdString();
        EXPECT_GT(cells[1].toDouble(), previousTime);
        previousTime = cells[1].toDouble();
        EXPECT_EQ(cells[3], "-12"); // AdcOffset
        EXPECT_LE(std::abs(cells[4].toDouble()), 100.0);
        EXPECT_EQ(cells[5], "1069547520"); // RawSample: the bits of 1.5f as a long
    }
}

TEST(GraphCli, AReadFaultKeepsThePointsBeforeIt)
{
    Podsim podsim({"--fault", "kind=no-reply,command=r,skip=5,count=100"});
    const CliRun run
        = runCli({"graph", "--memory", "0x9000:20:unsigned short", "--timeout", "30", "--port", podsim.device()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("통신 오류 발생 !")) << run.err.toStdString();
    EXPECT_EQ(csvLines(run), (QStringList {"index,CH1", "0,0", "1,0", "2,0", "3,0", "4,0"}));
}

TEST(GraphCli, CtrlCEndsATimeGraphWithThePointsSoFar)
{
    Podsim podsim({"--demo"});
    QProcess process;
    process.start(QStringLiteral(LUMETRA_CLI_PATH),
        {"graph", "--time", "0x8000:unsigned integer", "--interval", "50", "--count", "5000", "--port",
            podsim.device()});
    ASSERT_TRUE(process.waitForStarted());
    const auto pid = static_cast<pid_t>(process.processId());
    // Ctrl+C once the command catches it and has sent the third sample's first frame (a sample is its address,
    // then the read): the first two samples are in by then, however fast the machine. All 5000 would take four
    // minutes; the time limits only end a hung run.
    ASSERT_TRUE(becomesTrue([&] { return catchesSignal(pid, SIGINT); }));
    const std::optional<long long> writesBefore = writeCalls(pid);
    ASSERT_TRUE(writesBefore);
    ASSERT_TRUE(becomesTrue([&] { return writeCalls(pid).value_or(0) >= *writesBefore + 5; }));
    ::kill(pid, SIGINT);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    const QStringList lines
        = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    EXPECT_LT(lines.size(), 100);
    EXPECT_EQ(lines[0], "sample,time_ms,CH1");
    EXPECT_TRUE(lines.last().startsWith(QString::number(lines.size() - 2) + ","));
}

TEST(GraphCli, WritesTheWindowsExportsAndPrintsNothingUnlessAsked)
{
    Podsim podsim({"--demo"});
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("보고서"));
    const CliRun run = runCli(
        {"graph", "--memory", "0x8100:100:integer:ScopeBuffer", "--text", base + ".txt", "--wmf", base + ".wmf",
            "--svg", base + ".svg", "--pdf", base + ".pdf", "--png", base + ".png", "--port", podsim.device()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());

    const QByteArray text = fileBytes(base + ".txt");
    EXPECT_TRUE(text.startsWith(QByteArray(74, '-') + "\r\n"));
    EXPECT_TRUE(text.contains("Symbol Name : ScopeBuffer\r\n"));
    EXPECT_EQ(text.count("\r\n00"), 100) << "one line per element, 0000 to 0099";
    EXPECT_TRUE(fileBytes(base + ".wmf").startsWith(QByteArray::fromHex("d7cdc69a")));
    EXPECT_TRUE(fileBytes(base + ".svg").contains("<svg"));
    EXPECT_TRUE(fileBytes(base + ".pdf").startsWith("%PDF"));
    const QImage png(base + ".png");
    ASSERT_EQ(png.size(), QSize(800, 500));
    int channelPixels = 0; // the first channel's default colour, "MG Ch1 Color" 0xB5FFE7 (blue, green, red)
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            channelPixels += png.pixel(x, y) == qRgb(0xE7, 0xFF, 0xB5) ? 1 : 0;
    EXPECT_GT(channelPixels, 500) << "the line is drawn in the channel's colour";

    const CliRun withPoints = runCli({"graph", "--memory", "0x8018:2:integer:Matrix", "--text",
        dir.filePath(QStringLiteral("m.txt")), "--csv", "--port", podsim.device()});
    ASSERT_EQ(withPoints.exitCode, 0) << withPoints.err.toStdString();
    EXPECT_EQ(csvLines(withPoints), (QStringList {"index,Matrix", "0,11", "1,12"}));
}

TEST(GraphCli, CsvRedirectedToAFileStartsWithTheByteOrderMarkButAPipeGetsTheRowsOnly)
{
    Podsim podsim({"--demo"});
    const QStringList arguments {"graph", "--memory", "0x8018:2:integer:행렬", "--port", podsim.device()};
    const CliRun piped = runCli(arguments);
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_EQ(piped.out, "index,행렬\n0,11\n1,12\n");

    QTemporaryDir dir;
    QProcess redirected;
    redirected.setStandardOutputFile(dir.filePath(QStringLiteral("m.csv")));
    redirected.start(QStringLiteral(LUMETRA_CLI_PATH), arguments);
    ASSERT_TRUE(redirected.waitForFinished(30000));
    EXPECT_EQ(redirected.exitCode(), 0);
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("m.csv"))), "\xEF\xBB\xBFindex,행렬\n0,11\n1,12\n");
}

TEST(GraphCli, SeparatePanesGoToNumberedPicturesAndAFailedExportSaysWhy)
{
    Podsim podsim({"--demo"});
    QTemporaryDir dir;
    const CliRun run = runCli({"graph", "--separate", "--memory", "0x8018:4:integer:A", "--memory",
        "0x8040:8:integer:B", "--wmf", dir.filePath(QStringLiteral("run.wmf")), "--port", podsim.device()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList {"run1.wmf", "run2.wmf"}));

    const CliRun failed
        = runCli({"graph", "--memory", "0x8018:4:integer", "--text", dir.filePath(QStringLiteral("absent/run.txt")),
            "--png", dir.filePath(QStringLiteral("ok.png")), "--port", podsim.device()});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains("텍스트 파일을 생성하는데 실패했읍니다.")) << failed.err.toStdString();
    EXPECT_TRUE(failed.err.contains("absent/run.txt")) << failed.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("absent"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("ok.png")))) << "the other exports are still written";
}

TEST(GraphCli, PictureExportsStayQuietWithoutARuntimeFolder)
{
    Podsim podsim({"--demo"});
    QTemporaryDir dir;
    const QString temporary = dir.filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(temporary));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.insert(QStringLiteral("TMPDIR"), temporary);
    const CliRun run = runCli({"graph", "--memory", "0x8018:4:integer:Matrix", "--png",
                                  dir.filePath(QStringLiteral("m.png")), "--svg", dir.filePath(QStringLiteral("m.svg")),
                                  "--port", podsim.device()},
        environment);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_TRUE(QDir(temporary).isEmpty()) << "no runtime folder is made";
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("m.png"))));
}

#endif

} // namespace
