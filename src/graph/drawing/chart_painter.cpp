#include "graph/drawing/chart_painter.h"

#include "graph/chart/chart_colours.h"
#include "graph/chart/chart_decimation.h"
#include "graph/chart/chart_readout.h"
#include "graph/chart/chart_ticks.h"

#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

namespace lumetra::graph::drawing {

namespace {

constexpr int kFontPixelSize = 11;
constexpr int kLegendSampleLength = 14;
// Mapped values far outside the plot are held here: the clip hides them and the rasteriser stays exact.
constexpr double kPixelLimit = 1e5;

QColor qColour(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
        static_cast<int>((colour >> 16) & 0xFF));
}

QPen cosmeticPen(std::uint32_t colour, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(qColour(colour), 0, style);
    pen.setCosmetic(true);
    return pen;
}

QFont chartFont(const QStringList& families)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixelSize);
    return font;
}

// The fallback family has the Korean glyphs where the first is not installed.
QFont labelFont()
{
    return chartFont({QStringLiteral("돋움"), QStringLiteral("NanumGothic")});
}

// The axis labels are numbers: where the first family is not installed, a face whose decimal point stays a
// distinct dot at this size (the Korean fallback's reads like a comma).
QFont axisLabelFont()
{
    return chartFont({QStringLiteral("돋움"), QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")});
}

QFont titleFont()
{
    return chartFont({QStringLiteral("MS Sans Serif"), QStringLiteral("NanumGothic")});
}

QRect toQRect(const PixelRect& rect)
{
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

std::vector<QString> labelTexts(const std::vector<double>& values, int decimals)
{
    std::vector<QString> texts;
    texts.reserve(values.size());
    for (const double value : values)
        texts.push_back(QString::fromStdString(fixedLabel(value, decimals)));
    return texts;
}

int widestText(const QFontMetrics& metrics, const std::vector<QString>& texts)
{
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// What one paint works from: the layout, the axes and their label texts.
struct ChartFrame {
    PlotMapping mapping;
    ChartLayout layout;
    AxisTicks xTicks;
    AxisTicks valueTicks;
    std::vector<QString> xLabels;
    std::vector<QString> valueLabels;
};

ChartFrame frameFor(const QPaintDevice& device, const QRect& area, const ChartPaneModel& model,
    const ChartInteraction& interaction)
{
    ChartFrame frame;
    const AxisWindow xWindow = interaction.visibleWindow(model.fullXWindow());
    const AxisWindow valueWindow = model.valueWindow();
    frame.xTicks = axisTicks(xWindow);
    frame.valueTicks = axisTicks(valueWindow);
    frame.xLabels = labelTexts(frame.xTicks.major, xLabelDecimals(xWindow));
    frame.valueLabels = labelTexts(frame.valueTicks.major, model.decimals());

    const QFontMetrics labels(axisLabelFont(), &device);
    const ChartTextMetrics metrics {std::max(labels.height(), QFontMetrics(labelFont(), &device).height()),
        widestText(labels, frame.valueLabels), widestText(labels, frame.xLabels),
        QFontMetrics(titleFont(), &device).height()};
    const PixelRect pixels {area.left(), area.top(), area.width(), area.height()};
    frame.layout = layoutChart(pixels, metrics, !model.title().empty(), model.printAppearance().printLayout);
    frame.mapping = {frame.layout.plot, xWindow, valueWindow};
    return frame;
}

class ChartPainting {
public:
    ChartPainting(QPainter& painter, const QRect& area, const ChartPaneModel& model,
        const ChartInteraction& interaction)
        : painter_(painter)
        , area_(area)
        , model_(model)
        , interaction_(interaction)
        , colours_(chartColours(model.printAppearance()))
        , frame_(frameFor(*painter.device(), area, model, interaction))
        , plot_(toQRect(frame_.layout.plot))
    {
    }

    void paint()
    {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.fillRect(area_, qColour(colours_.background));
        painter_.fillRect(plot_, qColour(colours_.plotArea));
        painter_.setFont(labelFont());
        paintGrid();
        paintTicks();
        paintLabels();
        paintLines();
        paintLegend();
        paintTitle();
        paintInteraction();
        if (model_.printAppearance().outerFrame) {
            painter_.setPen(cosmeticPen(colours_.text));
            painter_.setBrush(Qt::NoBrush);
            painter_.drawRect(area_.adjusted(0, 0, -1, -1));
        }
    }

private:
    double pixelX(double x) const { return frame_.mapping.pixelOfX(x) + 0.5; }
    double pixelY(double value) const
    {
        return std::clamp(frame_.mapping.pixelOfValue(value), -kPixelLimit, kPixelLimit) + 0.5;
    }

    void paintGrid()
    {
        QList<QLineF> grid;
        for (const double x : frame_.xTicks.major)
            grid.append(QLineF(pixelX(x), plot_.top(), pixelX(x), plot_.bottom()));
        for (const double value : frame_.valueTicks.major)
            grid.append(QLineF(plot_.left(), pixelY(value), plot_.right(), pixelY(value)));
        painter_.setPen(cosmeticPen(colours_.grid, Qt::DotLine));
        painter_.drawLines(grid);
        painter_.setPen(cosmeticPen(colours_.text));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(plot_.adjusted(0, 0, -1, -1));
    }

    void paintTicks()
    {
        const auto ticks = [&](const std::vector<double>& xs, const std::vector<double>& values, int length) {
            QList<QLineF> lines;
            const double bottom = plot_.bottom() + 1.0;
            const double left = plot_.left();
            for (const double x : xs)
                lines.append(QLineF(pixelX(x), bottom, pixelX(x), bottom + length));
            for (const double value : values)
                lines.append(QLineF(left, pixelY(value), left - length, pixelY(value)));
            return lines;
        };
        painter_.setPen(cosmeticPen(colours_.minorTick));
        painter_.drawLines(ticks(frame_.xTicks.minor, frame_.valueTicks.minor, kMinorTickLength));
        painter_.setPen(cosmeticPen(colours_.text));
        painter_.drawLines(ticks(frame_.xTicks.major, frame_.valueTicks.major, kMajorTickLength));
    }

    void paintLabels()
    {
        painter_.save();
        painter_.setFont(axisLabelFont());
        const QFontMetrics metrics = painter_.fontMetrics();
        const int height = metrics.height();
        painter_.setPen(cosmeticPen(colours_.text));
        const int valueRight = plot_.left() - kMajorTickLength - kLabelGap;
        for (std::size_t n = 0; n < frame_.valueLabels.size(); ++n) {
            const int y = static_cast<int>(pixelY(frame_.valueTicks.major[n])) - height / 2;
            painter_.drawText(QRect(area_.left(), y, valueRight - area_.left(), height),
                Qt::AlignRight | Qt::AlignVCenter, frame_.valueLabels[n]);
        }
        const int xTop = plot_.bottom() + 1 + kMajorTickLength + kLabelGap;
        for (std::size_t n = 0; n < frame_.xLabels.size(); ++n) {
            const int width = metrics.horizontalAdvance(frame_.xLabels[n]) + 2;
            const int left = std::clamp(static_cast<int>(pixelX(frame_.xTicks.major[n])) - width / 2, area_.left(),
                std::max(area_.left(), area_.right() + 1 - width));
            painter_.drawText(QRect(left, xTop, width, height), Qt::AlignCenter, frame_.xLabels[n]);
        }
        painter_.restore();
    }

    void paintLine(int line)
    {
        const ChartPointRing* points = model_.linePoints(line);
        if (!points || points->empty())
            return;
        const std::vector<ColumnExtent> columns = decimateToColumns(*points, frame_.mapping.x, plot_.width());
        QList<QLineF> segments;
        segments.reserve(static_cast<qsizetype>(columns.size() * 2));
        const ColumnExtent* previous = nullptr;
        for (const ColumnExtent& column : columns) {
            const double x = plot_.left() + column.column + 0.5;
            double low = column.minimum;
            double high = column.maximum;
            if (previous && previous->column + 1 == column.column) {
                // The join to the neighbouring column is the vertical segment reaching the previous last value.
                low = std::min(low, previous->last);
                high = std::max(high, previous->last);
            } else if (previous) {
                segments.append(QLineF(plot_.left() + previous->column + 0.5, pixelY(previous->last), x,
                    pixelY(column.first)));
            }
            segments.append(QLineF(x, pixelY(low), x, pixelY(high)));
            previous = &column;
        }
        painter_.setPen(cosmeticPen(model_.lineColour(line)));
        painter_.drawLines(segments);
    }

    void paintLines()
    {
        painter_.save();
        painter_.setClipRect(plot_, Qt::IntersectClip);
        const int active = model_.activeLine();
        for (int line = 0; line < model_.dataLineCount(); ++line) {
            if (line != active)
                paintLine(line);
        }
        // The active line is drawn over the others.
        paintLine(active);
        painter_.restore();
    }

    void paintLegend()
    {
        const QRect legend = toQRect(frame_.layout.legend);
        const QFontMetrics metrics = painter_.fontMetrics();
        const int rowHeight = metrics.height() + 2;
        const int textLeft = legend.left() + kLegendSampleLength + kLabelGap;
        for (int line = 0; line < model_.dataLineCount(); ++line) {
            const int top = plot_.top() + line * rowHeight;
            if (top + rowHeight > legend.bottom() + 1)
                break;
            painter_.setPen(cosmeticPen(model_.lineColour(line)));
            const double middle = top + rowHeight / 2 + 0.5;
            painter_.drawLine(QLineF(legend.left(), middle, legend.left() + kLegendSampleLength, middle));
            const QString title = metrics.elidedText(
                QString::fromUtf8(model_.lineTitle(line).data(), static_cast<qsizetype>(model_.lineTitle(line).size())),
                Qt::ElideRight, legend.right() + 1 - textLeft);
            painter_.drawText(QRect(textLeft, top, legend.right() + 1 - textLeft, rowHeight),
                Qt::AlignLeft | Qt::AlignVCenter, title);
        }
    }

    void paintTitle()
    {
        if (model_.title().empty() || frame_.layout.title.height == 0)
            return;
        painter_.save();
        painter_.setFont(titleFont());
        painter_.setPen(cosmeticPen(colours_.text));
        painter_.drawText(toQRect(frame_.layout.title), Qt::AlignCenter, QString::fromStdString(model_.title()));
        painter_.restore();
    }

    void paintMark(double x, const QString& label)
    {
        if (!frame_.mapping.x.contains(x))
            return;
        painter_.setPen(cosmeticPen(colours_.plotText, Qt::DashLine));
        painter_.drawLine(QLineF(pixelX(x), plot_.top(), pixelX(x), plot_.bottom()));
        if (!label.isEmpty())
            painter_.drawText(QPointF(pixelX(x) + kLabelGap, plot_.top() + painter_.fontMetrics().ascent()), label);
    }

    // A block of texts inside the plot; the first in the plot's text colour, the others in their line's colour.
    void paintTextBlock(const std::vector<std::string>& texts, bool atRight)
    {
        const QFontMetrics metrics = painter_.fontMetrics();
        std::vector<QString> lines;
        for (const std::string& text : texts)
            lines.push_back(QString::fromStdString(text));
        const int width = widestText(metrics, lines) + 2 * kLabelGap;
        const int rowHeight = metrics.height();
        const int left = atRight ? plot_.right() - width - kLabelGap : plot_.left() + kLabelGap;
        const int top = plot_.top() + rowHeight + kLabelGap;
        QColor shade = qColour(colours_.plotArea);
        shade.setAlpha(200);
        painter_.fillRect(QRect(left, top, width, rowHeight * static_cast<int>(lines.size())), shade);
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const std::uint32_t colour = n == 0 ? colours_.plotText : model_.lineColour(static_cast<int>(n) - 1);
            painter_.setPen(cosmeticPen(colour));
            painter_.drawText(QRect(left + kLabelGap, top + static_cast<int>(n) * rowHeight, width, rowHeight),
                Qt::AlignLeft | Qt::AlignVCenter, lines[n]);
        }
    }

    void paintInteraction()
    {
        painter_.save();
        painter_.setClipRect(plot_, Qt::IntersectClip);
        if (const std::optional<double> a = interaction_.cursor(CursorMark::A))
            paintMark(*a, QStringLiteral("A"));
        if (const std::optional<double> b = interaction_.cursor(CursorMark::B))
            paintMark(*b, QStringLiteral("B"));
        if (const std::optional<CursorDelta> delta = cursorDelta(model_, interaction_))
            paintTextBlock(deltaTexts(model_, *delta), true);
        if (const std::optional<double> hover = interaction_.hover()) {
            paintMark(*hover, QString());
            paintTextBlock(readoutTexts(model_, readoutAt(model_, *hover)), false);
        }
        painter_.restore();
    }

    QPainter& painter_;
    const QRect area_;
    const ChartPaneModel& model_;
    const ChartInteraction& interaction_;
    const ChartColours colours_;
    const ChartFrame frame_;
    const QRect plot_;
};

} // namespace

void paintChart(QPainter& painter, const QRect& area, const ChartPaneModel& model,
    const ChartInteraction& interaction)
{
    if (!painter.isActive() || area.isEmpty())
        return;
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    ChartPainting(painter, area, model, interaction).paint();
    painter.restore();
}

PlotMapping chartPlotMapping(const QPaintDevice& device, const QRect& area, const ChartPaneModel& model,
    const ChartInteraction& interaction)
{
    return frameFor(device, area, model, interaction).mapping;
}

} // namespace lumetra::graph::drawing
