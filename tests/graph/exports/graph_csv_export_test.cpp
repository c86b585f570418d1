#include "export_test_panes.h"

#include "graph/exports/graph_csv_export.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace lumetra::graph {
namespace {

TEST(GraphCsvExport, FieldsAreQuotedOnlyWhereTheyMustBe)
{
    EXPECT_EQ(csvField("Speed"), "Speed");
    EXPECT_EQ(csvField("모터 속도"), "모터 속도");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csvField(""), "");
}

TEST(GraphCsvExport, OneColumnPerChannelWithEmptyCellsWhereAChannelEnds)
{
    test::ExportPanes panes(GraphKind::Memory, false, {3, 2}, 3);
    panes.source.channels[0].label = "전류, A";
    panes.plot(3, [](std::size_t c, std::uint32_t n) { return c == 0 ? 0.1 * (n + 1) : 1e-20 * n - 2e-20; });
    EXPECT_EQ(graphCsvDocument(panes.source),
        "위치,\"전류, A\",CH2\r\n"
        "0,0.1,-2e-20\r\n"
        "1,0.2,-1e-20\r\n"
        "2,0.30000000000000004,\r\n");
}

TEST(GraphCsvExport, IndividualPanesAndAnEmptyWindow)
{
    test::ExportPanes panes(GraphKind::Time, true, {0, 0});
    panes.plot(2, [](std::size_t c, std::uint32_t n) { return static_cast<double>(c * 100 + n); });
    EXPECT_EQ(graphCsvDocument(panes.source), "위치,CH1,CH2\r\n0,0,100\r\n1,1,101\r\n");

    test::ExportPanes none(GraphKind::Time, false, {});
    EXPECT_EQ(graphCsvDocument(none.source), "위치\r\n");
}

TEST(GraphCsvExport, TheFileStartsWithTheUtf8ByteOrderMarkForSpreadsheets)
{
    test::ExportPanes panes(GraphKind::Time, false, {0});
    panes.source.channels[0].label = "토크";
    panes.plot(1, [](std::size_t, std::uint32_t) { return 7.0; });
    lumetra::test::ScratchDir dir;
    ASSERT_TRUE(writeGraphCsv(dir / "graph.csv", panes.source).ok());
    std::ifstream in(dir / "graph.csv", std::ios::binary);
    const std::string bytes {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, "\xEF\xBB\xBF위치,토크\r\n0,7\r\n");
}

} // namespace
} // namespace lumetra::graph
