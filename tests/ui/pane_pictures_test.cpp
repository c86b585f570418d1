// The picture exports: metafiles read back by an independent converter with the lines where they were plotted,
// Korean text as code page 949, one file per individual pane, SVG, PNG and PDF drawn as on screen, and failures
// that leave nothing behind.
#include "export_tools.h"

#include "graph/drawing/chart_painter.h"
#include "graph/drawing/pane_pictures.h"
#include "graph/drawing/wmf_paint_device.h"
#include "graph/exports/pane_file_names.h"

#include "core/cp949_codec.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include <cmath>
#include <filesystem>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace lumetra::graph::drawing {
namespace {

using test::runTool;

constexpr QSize kSize {640, 400};
constexpr std::uint32_t kRed = 0x0000FF; // 0x00BBGGRR

void fillRamp(ChartPaneModel& model, const std::string& label, std::uint32_t colour)
{
    model.setXAxisMode(XAxisMode::Memory);
    model.setXSpan(99);
    model.setCapacity(100);
    const int line = model.addDataLine(label, colour);
    for (int n = 0; n < 100; ++n)
        model.addPoint(line, n, 0.08 * n - 4.0);
}

QString qPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

QByteArray readAll(const std::filesystem::path& path)
{
    QFile file(qPath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool saveBytes(const std::filesystem::path& path, const QByteArray& bytes)
{
    QFile file(qPath(path));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct Segment {
    QPointF from;
    QPointF to;
};

double distanceTo(const Segment& s, QPointF p)
{
    const QPointF d = s.to - s.from;
    const double length2 = QPointF::dotProduct(d, d);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - s.from, d) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = s.from + t * d;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// The segments of the SVG's polylines stroked in `colour`, scaled to `size`.
std::vector<Segment> svgPolylines(const QByteArray& svg, const QString& colour, QSize size)
{
    const QString text = QString::fromUtf8(svg);
    const QRegularExpressionMatch frame
        = QRegularExpression(R"re(<svg width="([\d.]+)" height="([\d.]+)")re").match(text);
    const double sx = frame.hasMatch() ? size.width() / frame.captured(1).toDouble() : 1.0;
    const double sy = frame.hasMatch() ? size.height() / frame.captured(2).toDouble() : 1.0;
    std::vector<Segment> segments;
    const QRegularExpression polyline(R"re(<polyline points="([^"]*)"\s*style="([^"]*)")re");
    for (auto it = polyline.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (!match.captured(2).contains("stroke:" + colour))
            continue;
        std::vector<QPointF> points;
        for (const QString& pair : match.captured(1).simplified().split(' ', Qt::SkipEmptyParts)) {
            const QStringList xy = pair.split(',');
            if (xy.size() == 2)
                points.emplace_back(xy[0].toDouble() * sx, xy[1].toDouble() * sy);
        }
        for (std::size_t i = 0; i + 1 < points.size(); ++i)
            segments.push_back({points[i], points[i + 1]});
    }
    return segments;
}

TEST(PaneMetafile, AnIndependentConverterReadsItAndShowsTheLinesWherePlotted)
{
    SKIP_WITHOUT_TOOL("wmf2svg");
    ChartPaneModel model;
    fillRamp(model, "Ramp", kRed);
    model.setTitle("Monday, December 07, 2026");
    lumetra::test::ScratchDir dir;
    ASSERT_TRUE(saveBytes(dir / "pane.wmf", metafileOf({&model, kSize})));

    const test::ToolRun svg = runTool("wmf2svg", {"-o", qPath(dir / "pane.svg"), qPath(dir / "pane.wmf")});
    ASSERT_EQ(svg.exitCode, 0) << svg.err.constData();
    EXPECT_FALSE(svg.err.contains("ERROR")) << svg.err.constData();
    const std::vector<Segment> red = svgPolylines(readAll(dir / "pane.svg"), "red", kSize);
    ASSERT_FALSE(red.empty());

    WmfPaintDevice device(kSize);
    const PlotMapping mapping = chartPlotMapping(device, QRect(QPoint(0, 0), kSize), model, {});
    for (const int n : {0, 20, 50, 80, 99}) {
        const QPointF plotted(mapping.pixelOfX(n) + 0.5, mapping.pixelOfValue(0.08 * n - 4.0) + 0.5);
        double nearest = 1e9;
        for (const Segment& segment : red)
            nearest = std::min(nearest, distanceTo(segment, plotted));
        EXPECT_LT(nearest, 3.0) << "point " << n << " at " << plotted.x() << "," << plotted.y();
    }

    SKIP_WITHOUT_TOOL("wmf2gd");
    const test::ToolRun png = runTool("wmf2gd", {"-t", "png", "-o", qPath(dir / "pane.png"), qPath(dir / "pane.wmf")});
    ASSERT_EQ(png.exitCode, 0) << png.err.constData();
    EXPECT_FALSE(png.err.contains("ERROR")) << png.err.constData();
    const QImage picture(qPath(dir / "pane.png"));
    ASSERT_FALSE(picture.isNull());
    int redPixels = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            redPixels += picture.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(redPixels, picture.width() / 2);
}

TEST(PaneMetafile, KoreanTextIsCodePage949InAHangulFont)
{
    ChartPaneModel model;
    fillRamp(model, "모터 속도", kRed);
    const QByteArray file = metafileOf({&model, kSize});
    ASSERT_GT(file.size(), 40);
    EXPECT_EQ(static_cast<unsigned char>(file[0]), 0xD7);
    const std::string label = core::utf8ToCp949("모터 속도").text;
    EXPECT_TRUE(file.contains(QByteArray::fromStdString(label)));
    EXPECT_FALSE(file.contains(QByteArray("모터")));
    // A font record (function 0x02FB) naming the label font in code page 949 with character set 129.
    const std::string face = core::utf8ToCp949("돋움").text;
    const qsizetype at = file.indexOf(QByteArray::fromStdString(face));
    ASSERT_GT(at, 18);
    EXPECT_EQ(static_cast<unsigned char>(file[at - 5]), 129);
    EXPECT_EQ(file.mid(at - 20, 2), QByteArray("\xFB\x02", 2));

    SKIP_WITHOUT_TOOL("wmf2svg");
    lumetra::test::ScratchDir dir;
    ASSERT_TRUE(saveBytes(dir / "korean.wmf", file));
    const test::ToolRun svg = runTool("wmf2svg", {"-o", qPath(dir / "korean.svg"), qPath(dir / "korean.wmf")});
    EXPECT_EQ(svg.exitCode, 0) << svg.err.constData();
}

TEST(PanePictures, IndividualPanesGoToNumberedFilesAndNothingToTheChosenName)
{
    std::array<ChartPaneModel, 3> models;
    std::vector<PanePicture> panes;
    for (ChartPaneModel& model : models) {
        fillRamp(model, "CH", kRed);
        panes.push_back({&model, QSize(400, 200)});
    }
    lumetra::test::ScratchDir dir;
    const std::string chosen = (dir / "run.wmf").string();
    ASSERT_TRUE(writePanePictures(GraphExport::Metafile, panes, true, chosen).ok());
    EXPECT_FALSE(std::filesystem::exists(dir / "run.wmf"));
    for (const char* name : {"run1.wmf", "run2.wmf", "run3.wmf"}) {
        const QByteArray bytes = readAll(dir / name);
        EXPECT_GT(bytes.size(), 100) << name;
        EXPECT_TRUE(bytes.startsWith(QByteArray("\xD7\xCD\xC6\x9A", 4))) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "run4.wmf"));

    // The single pane: exactly the chosen name, also a Korean one.
    const std::string korean = (dir / "그래프.svg").string();
    ASSERT_TRUE(writePanePictures(GraphExport::Svg, {panes[0]}, false, korean).ok());
    EXPECT_TRUE(readAll(dir / "그래프.svg").contains("<svg"));
}

TEST(PanePictures, SvgPngAndPdfAreDrawnInTheScreenColours)
{
    ChartPaneModel model;
    fillRamp(model, "Ramp", kRed);
    const PanePicture pane {&model, kSize};

    const QByteArray svg = svgOf(pane);
    EXPECT_TRUE(svg.contains("#ff0000"));
    EXPECT_TRUE(svg.contains("fill=\"#000000\"")); // the black screen background

    const QImage png = QImage::fromData(pngOf(pane), "PNG");
    ASSERT_EQ(png.size(), kSize);
    EXPECT_EQ(png.pixelColor(2, 2), QColor(0, 0, 0));
    QImage screen(kSize, QImage::Format_RGB32);
    {
        QPainter painter(&screen);
        paintChart(painter, QRect(QPoint(0, 0), kSize), model);
    }
    EXPECT_EQ(png, screen.convertToFormat(png.format()));

    std::array<ChartPaneModel, 2> pages;
    fillRamp(pages[0], "A", kRed);
    fillRamp(pages[1], "B", kRed);
    pages[1].setTitle("second page");
    const QByteArray pdf = pdfOf({{&pages[0], kSize}, {&pages[1], QSize(500, 300)}});
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    SKIP_WITHOUT_TOOL("pdfinfo");
    lumetra::test::ScratchDir dir;
    ASSERT_TRUE(saveBytes(dir / "panes.pdf", pdf));
    const test::ToolRun info = runTool("pdfinfo", {qPath(dir / "panes.pdf")});
    ASSERT_EQ(info.exitCode, 0) << info.err.constData();
    EXPECT_TRUE(QString::fromUtf8(info.out).simplified().contains("Pages: 2")) << info.out.constData();
    const test::ToolRun text = runTool("pdftotext", {qPath(dir / "panes.pdf"), "-"});
    EXPECT_TRUE(test::lettersOf(text.out).contains("secondpage")) << text.out.constData();
}

TEST(PanePictures, FailuresNameTheFormatAndLeaveNoFile)
{
    ChartPaneModel model;
    fillRamp(model, "Ramp", kRed);
    const std::vector<PanePicture> panes {{&model, kSize}};
    lumetra::test::ScratchDir dir;

    const ExportResult missingFolder
        = writePanePictures(GraphExport::Metafile, panes, false, (dir / "absent" / "x.wmf").string());
    EXPECT_EQ(missingFolder.failure, ExportFailure::CreateFailed);
    const ExportResult longName
        = writePanePictures(GraphExport::Png, panes, false, (dir / (std::string(300, 'p') + ".png")).string());
    EXPECT_FALSE(longName.ok());
#ifndef _WIN32
    // Windows has no folder a user cannot write into by its permissions alone.
    std::filesystem::create_directory(dir / "locked");
    std::filesystem::permissions(
        dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const ExportResult locked = writePanePictures(GraphExport::Pdf, panes, false, (dir / "locked" / "x.pdf").string());
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
    if (::geteuid() != 0) {
        EXPECT_EQ(locked.failure, ExportFailure::CreateFailed);
    }
#endif
    EXPECT_EQ(writePanePictures(GraphExport::Svg, {}, false, (dir / "none.svg").string()).failure,
        ExportFailure::NothingToExport);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.svg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "absent"));
    EXPECT_EQ(writePanePictures(GraphExport::Text, panes, false, (dir / "data.txt").string()).failure,
        ExportFailure::RenderFailed);
    EXPECT_FALSE(std::filesystem::exists(dir / "data.txt"));
}

} // namespace
} // namespace lumetra::graph::drawing
