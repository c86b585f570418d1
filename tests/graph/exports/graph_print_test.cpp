#include "../session/graph_test_doubles.h"
#include "export_test_panes.h"

#include "graph/exports/graph_print.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

TEST(PrintDateTitle, EnglishWeekdayMonthAndTwoDigitDay)
{
    EXPECT_EQ(printDateTitle({2026, 12, 7}), "Monday, December 07, 2026");
    EXPECT_EQ(printDateTitle({2024, 2, 29}), "Thursday, February 29, 2024");
    EXPECT_EQ(printDateTitle({2000, 1, 1}), "Saturday, January 01, 2000");
    EXPECT_EQ(printDateTitle({2023, 2, 29}), "");
    EXPECT_EQ(printDateTitle({2023, 13, 1}), "");
}

// Records, per job, what the pane looked like when it was printed.
class RecordingPrinter final : public PanePrinter {
public:
    explicit RecordingPrinter(test::ExportPanes& panes)
        : panes_(panes)
    {
    }
    bool hasDefaultPrinter() const override { return present; }
    bool printPane(int pane) override
    {
        test::RecordingStripChart& chart = panes_.charts[static_cast<std::size_t>(pane)];
        jobs.push_back(pane);
        appearances.push_back(chart.print);
        chart.calls.push_back("print");
        return pane != refusedPane;
    }
    bool present = true;
    int refusedPane = -1;
    std::vector<int> jobs;
    std::vector<PrintAppearance> appearances;

private:
    test::ExportPanes& panes_;
};

constexpr ExportTime kToday {2026, 12, 7, 9, 30, 0};
constexpr PrintAppearance kScreen {0x000000, 0x102030, true, false};

TEST(GraphPrint, SinglePanePrintsWhiteWithBlackLinesAndTheDateThenRestoresIt)
{
    test::ExportPanes panes(GraphKind::Memory, false, {10, 10}, 10);
    panes.charts[0].print = kScreen;
    RecordingPrinter printer(panes);
    test::RecordingGraphPrompts prompts;

    EXPECT_TRUE(printGraph(panes.source, printer, kToday, prompts).ok());
    EXPECT_EQ(printer.jobs, std::vector<int> {0});
    EXPECT_EQ(printer.appearances, std::vector<PrintAppearance> {kPrintingAppearance});
    EXPECT_EQ(panes.charts[0].takeCalls(),
        (std::vector<std::string> {"beginRefresh", "setLineColour(0,0x000000)", "setLineColour(1,0x000000)",
            "setTitle(Monday, December 07, 2026)", "print", "setTitle()", "setLineColour(0,0x0000FF)",
            "setLineColour(1,0x00FF00)", "endRefresh"}));
    EXPECT_EQ(panes.charts[0].print, kScreen);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(GraphPrint, IndividualPanesAreOneJobEachWithTheirOwnChannelColour)
{
    test::ExportPanes panes(GraphKind::Time, true, {0, 0, 0});
    RecordingPrinter printer(panes);
    test::RecordingGraphPrompts prompts;
    // The third pane fails: it is restored like the others and the failure is shown once.
    printer.refusedPane = 2;

    EXPECT_EQ(printGraph(panes.source, printer, kToday, prompts).failure, ExportFailure::PrintFailed);
    EXPECT_EQ(printer.jobs, (std::vector<int> {0, 1, 2}));
    EXPECT_EQ(panes.charts[1].takeCalls(),
        (std::vector<std::string> {"beginRefresh", "setLineColour(0,0x000000)", "setTitle(Monday, December 07, 2026)",
            "print", "setTitle()", "setLineColour(0,0x00FF00)", "endRefresh"}));
    EXPECT_EQ(panes.charts[2].takeCalls().back(), "endRefresh");
    EXPECT_TRUE(panes.charts[3].takeCalls().empty());
    EXPECT_EQ(prompts.texts(), std::vector<std::string> {"그래프를 인쇄하는데 실패했읍니다."});
}

TEST(GraphPrint, WithoutADefaultPrinterNothingIsTouched)
{
    test::ExportPanes panes(GraphKind::Memory, false, {10}, 10);
    RecordingPrinter printer(panes);
    printer.present = false;
    test::RecordingGraphPrompts prompts;

    EXPECT_FALSE(printGraph(panes.source, printer, kToday, prompts).ok());
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_TRUE(panes.charts[0].takeCalls().empty());
    EXPECT_EQ(prompts.messages,
        (std::vector<test::ShownMessage> {{core::MessageIcon::Error, "현재 PC에 기본 프린터 정보가 없읍니다."}}));
}

} // namespace
} // namespace lumetra::graph
