#include "../session/graph_test_doubles.h"
#include "export_test_panes.h"

#include "graph/exports/graph_text_export.h"

#include "core/cp949_codec.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace lumetra::graph {
namespace {

using test::ExportPanes;

constexpr ExportTime kTime {2026, 3, 9, 14, 5, 7};
const std::string kHyphens(74, '-');

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "the text ends with CR LF";
    return lines;
}

// The point lines of channel c (0-based): the lines between its label block and the next one.
std::vector<std::string> pointLines(const std::string& document, std::size_t channel)
{
    const std::vector<std::string> lines = linesOf(document);
    std::vector<std::string> points;
    std::size_t labels = 0;
    for (std::size_t i = 5; i < lines.size(); ++i) {
        if (lines[i].starts_with("Symbol Name : ")) {
            ++labels;
            ++i; // the hyphen line after the label
            continue;
        }
        if (labels == channel + 1 && lines[i] != kHyphens)
            points.push_back(lines[i]);
    }
    return points;
}

TEST(GraphTextExport, WholeFileInCodePage949WithCrLf)
{
    ExportPanes panes(GraphKind::Memory, false, {3, 2}, 3);
    panes.source.channels[0].label = "모터 속도";
    panes.plot(3, [](std::size_t c, std::uint32_t n) { return c == 0 ? n * 0.5 : -1.5 * n; });

    lumetra::test::ScratchDir dir;
    ASSERT_TRUE(writeGraphText(dir / "graph.txt", panes.source, kTime).ok());

    const std::string expectedUtf8 = kHyphens + "\r\n"
        + "프로그램명     : Vestral Lumetra Ver2.2 \r\n"
          "회사명         : Korimat \r\n"
          "파일 생성 시간 : 2026년 3월 9일, 14시 5분 7초\r\n"
        + kHyphens + "\r\n" + kHyphens + "\r\nSymbol Name : 모터 속도\r\n" + kHyphens + "\r\n"
        + "0000    0.000000    \r\n"
          "0001    0.500000    \r\n"
          "0002    1.000000    \r\n"
        + kHyphens + "\r\nSymbol Name : CH2\r\n" + kHyphens + "\r\n"
        + "0000    -0.000000   \r\n"
          "0001    -1.500000   \r\n";
    const std::string bytes = fileBytes(dir / "graph.txt");
    EXPECT_EQ(bytes, core::utf8ToCp949(expectedUtf8).text);
    // "프로" in code page 949 opens the second line.
    EXPECT_EQ(bytes.substr(76, 4), "\xC7\xC1\xB7\xCE");
}

TEST(GraphTextExport, PointLineFormat)
{
    EXPECT_EQ(graphTextPointLine(7, -1.5), "0007    -1.500000   ");
    EXPECT_EQ(graphTextPointLine(0, 0.0), "0000    0.000000    ");
    // Wider than the field: nothing is cut or padded; positions beyond four digits keep every digit.
    EXPECT_EQ(graphTextPointLine(12345, 123456.25), "12345    123456.250000");
    EXPECT_EQ(graphTextPointLine(1, 1e-7), "0001    0.000000    ");
}

TEST(GraphTextExport, PointsStopAtTheSampleCounterTheLengthAndThePaneCapacity)
{
    {
        // Stopped after 37 samples: 37 lines, even for a channel of length 100.
        ExportPanes panes(GraphKind::Memory, false, {100, 100}, 100);
        panes.plot(37, [](std::size_t, std::uint32_t n) { return n; });
        const std::string document = graphTextDocument(panes.source, kTime);
        for (std::size_t c = 0; c < 2; ++c) {
            const std::vector<std::string> points = pointLines(document, c);
            ASSERT_EQ(points.size(), 37u);
            EXPECT_EQ(points.front().substr(0, 4), "0000");
            EXPECT_EQ(points.back().substr(0, 4), "0036");
        }
    }
    {
        // A length-10 channel in a single pane of length 100 that ran to the end.
        ExportPanes panes(GraphKind::Memory, false, {100, 10}, 100);
        panes.plot(100, [](std::size_t, std::uint32_t n) { return n; });
        const std::string document = graphTextDocument(panes.source, kTime);
        EXPECT_EQ(pointLines(document, 0).size(), 100u);
        EXPECT_EQ(pointLines(document, 1).size(), 10u);
    }
    {
        // A time graph that ran 7000 samples keeps the newest 5000, numbered 0000 to 4999.
        ExportPanes panes(GraphKind::Time, false, {0, 0});
        panes.plot(7000, [](std::size_t, std::uint32_t n) { return n; });
        const std::vector<std::string> points = pointLines(graphTextDocument(panes.source, kTime), 1);
        ASSERT_EQ(points.size(), 5000u);
        EXPECT_EQ(points.front(), "0000    2000.000000 ");
        EXPECT_EQ(points.back(), "4999    6999.000000 ");
    }
}

TEST(GraphTextExport, IndividualPanesAndUnreadablePoints)
{
    {
        // Each channel from line 0 of its own pane; a pane of capacity 0 gives no lines, the next is written.
        ExportPanes panes(GraphKind::Memory, true, {4, 0, 6}, 6);
        panes.plot(6, [](std::size_t c, std::uint32_t n) { return 10.0 * static_cast<double>(c) + n; });
        const std::string document = graphTextDocument(panes.source, kTime);
        EXPECT_EQ(pointLines(document, 0).size(), 4u);
        EXPECT_TRUE(pointLines(document, 1).empty());
        const std::vector<std::string> third = pointLines(document, 2);
        ASSERT_EQ(third.size(), 6u);
        EXPECT_EQ(third[5], "0005    25.000000   ");
    }
    {
        // The first point that cannot be read ends that channel only.
        ExportPanes panes(GraphKind::Memory, false, {10, 10}, 10);
        for (int n = 0; n < 10; ++n) {
            panes.charts[0].addPoint(0, n, n);
            if (n < 5)
                panes.charts[0].addPoint(1, n, n);
        }
        panes.source.sampleCounter = 10;
        const std::string document = graphTextDocument(panes.source, kTime);
        EXPECT_EQ(pointLines(document, 0).size(), 10u);
        EXPECT_EQ(pointLines(document, 1).size(), 5u);
    }
}

TEST(GraphTextExport, LabelCharactersTheCodePageLacksBecomeQuestionMarks)
{
    ExportPanes panes(GraphKind::Time, false, {0});
    panes.source.channels[0].label = "speed\u00A0\U0001F600";
    lumetra::test::ScratchDir dir;
    ASSERT_TRUE(writeGraphText(dir / "label.txt", panes.source, kTime).ok());
    EXPECT_NE(fileBytes(dir / "label.txt").find("Symbol Name : speed"), std::string::npos);
    EXPECT_NE(fileBytes(dir / "label.txt").find("?\r\n"), std::string::npos);
}

TEST(GraphTextExport, FailuresShowTheMessageAndLeaveNoHalfFile)
{
    ExportPanes panes(GraphKind::Time, false, {0, 0, 0, 0});
    panes.plot(5000, [](std::size_t, std::uint32_t n) { return n; });
    lumetra::test::ScratchDir dir;
    test::RecordingGraphPrompts prompts;

    // A folder that does not exist, and a name longer than the file system allows.
    const ExportResult missing = writeGraphText(dir / "absent" / "graph.txt", panes.source, kTime);
    EXPECT_EQ(missing.failure, ExportFailure::CreateFailed);
    EXPECT_FALSE(reportExport(missing, kTextFileFailedText, prompts));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "텍스트 파일을 생성하는데 실패했읍니다.");
    EXPECT_EQ(prompts.messages[0].icon, core::MessageIcon::Error);
    EXPECT_FALSE(writeGraphText(dir / (std::string(300, 'x') + ".txt"), panes.source, kTime).ok());

#ifndef _WIN32
    // The disk fills during the write (a file size limit of POSIX): the older file stays whole and no temporary
    // file is left.
    {
        std::ofstream(dir / "old.txt", std::ios::binary) << "older export";
    }
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 8192;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ExportResult full = writeGraphText(dir / "old.txt", panes.source, kTime);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(full.failure, ExportFailure::WriteFailed);
    EXPECT_EQ(fileBytes(dir / "old.txt"), "older export");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
#endif

    // A Korean file name is an ordinary name.
    EXPECT_TRUE(writeGraphText(dir / "그래프 데이타.txt", panes.source, kTime).ok());
    EXPECT_TRUE(reportExport({}, kTextFileFailedText, prompts));
    EXPECT_EQ(prompts.messages.size(), 1u);
}

} // namespace
} // namespace lumetra::graph
