// Printing through QPrinter with PDF output: the page is white with black lines and the date title, and the
// panes have their colours, title and appearance back afterwards.
#include "export_tools.h"

#include "graph/exports/graph_print.h"
#include "graph/ui/qt_pane_printer.h"
#include "graph/ui/strip_chart_widget.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <array>
#include <vector>

namespace lumetra::graph::ui {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;

class NoPrompts final : public core::UserPrompts {
public:
    void showMessage(core::MessageIcon, std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

void fill(StripChartWidget& pane, int line, double offset)
{
    for (int n = 0; n < 100; ++n)
        pane.addPoint(line, n, offset + std::sin(n / 8.0) * 3.0);
}

TEST(PanePrinting, PrintsWhiteWithBlackLinesAndTheDateThenRestoresThePane)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    SKIP_WITHOUT_TOOL("pdftotext");
    StripChartWidget pane;
    pane.resize(640, 400);
    pane.setXAxisMode(XAxisMode::Memory);
    pane.setXSpan(99);
    pane.setCapacity(100);
    pane.addDataLine("CH1", kRed);
    pane.addDataLine("CH2", kGreen);
    fill(pane, 0, 2.0);
    fill(pane, 1, -2.0);
    const PrintAppearance screen = pane.printAppearance();

    GraphExportSource source;
    source.channels = {{"CH1", 0, 100, 13, 3}, {"CH2", 0, 100, 13, 3}};
    source.colours = {kRed, kGreen, 0, 0};
    source.sampleCounter = 100;
    source.panes[0] = &pane;

    lumetra::test::ScratchDir dir;
    const QString pdf = QString::fromStdString((dir / "page.pdf").string());
    QtPanePrinter printer({{&pane.model(), pane.size()}}, {pdf});
    NoPrompts prompts;
    ASSERT_TRUE(printGraph(source, printer, {2026, 12, 7, 10, 0, 0}, prompts).ok());
    EXPECT_TRUE(prompts.shown.empty());

    // Back as on screen.
    EXPECT_EQ(pane.model().title(), "");
    EXPECT_EQ(pane.model().lineColour(0), kRed);
    EXPECT_EQ(pane.model().lineColour(1), kGreen);
    EXPECT_EQ(pane.printAppearance(), screen);

    const test::ToolRun text = test::runTool("pdftotext", {pdf, "-"});
    ASSERT_EQ(text.exitCode, 0) << text.err.constData();
    EXPECT_TRUE(test::lettersOf(text.out).contains("MondayDecember072026")) << text.out.constData();

    const QString prefix = QString::fromStdString((dir / "page").string());
    const test::ToolRun raster = test::runTool("pdftoppm", {"-png", "-r", "60", "-singlefile", pdf, prefix});
    ASSERT_EQ(raster.exitCode, 0) << raster.err.constData();
    const QImage page(prefix + ".png");
    ASSERT_FALSE(page.isNull());
    if (const QString shots = qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR"); !shots.isEmpty())
        page.save(shots + QStringLiteral("/printed-page.png"));
    EXPECT_EQ(page.pixelColor(1, 1), QColor(Qt::white));
    int white = 0;
    int dark = 0;
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            white += c == QColor(Qt::white);
            dark += c.value() < 80;
            coloured += c.saturation() > 120 && c.value() > 120;
        }
    }
    const int pixels = page.width() * page.height();
    EXPECT_GT(white, pixels * 8 / 10);
    EXPECT_GT(dark, page.width());
    EXPECT_EQ(coloured, 0);
}

TEST(PanePrinting, AJobThatCannotStartIsReportedAndThePaneRestored)
{
    StripChartWidget pane;
    pane.addDataLine("CH1", kRed);
    GraphExportSource source;
    source.channels = {{"CH1", 0, 10, 13, 3}};
    source.colours = {kRed, 0, 0, 0};
    source.panes[0] = &pane;
    // A PDF file in a folder that does not exist: the printer cannot begin.
    lumetra::test::ScratchDir dir;
    QtPanePrinter printer(
        {{&pane.model(), QSize(300, 200)}}, {QString::fromStdString((dir / "absent" / "x.pdf").string())});
    NoPrompts prompts;
    EXPECT_FALSE(printGraph(source, printer, {2026, 12, 7}, prompts).ok());
    EXPECT_EQ(prompts.shown, std::vector<std::string> {"그래프를 인쇄하는데 실패했읍니다."});
    EXPECT_EQ(pane.model().lineColour(0), kRed);
    EXPECT_EQ(pane.model().title(), "");
}

} // namespace
} // namespace lumetra::graph::ui
