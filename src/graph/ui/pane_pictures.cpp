#include "graph/ui/pane_pictures.h"

#include "graph/graph_session.h"
#include "graph/pane_file_names.h"
#include "graph/ui/chart_painter.h"
#include "graph/ui/strip_chart_widget.h"
#include "graph/ui/wmf_paint_device.h"

#include "app/path_text.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <span>

namespace lumetra::graph::ui {

namespace {

constexpr int kScreenDpi = 96;
constexpr double kPointsPerInch = 72.0;

QSize sizeOf(const PanePicture& pane)
{
    return pane.size.isEmpty() ? kDefaultPictureSize : pane.size;
}

// Paints the pane into `device`; false when the painter could not start.
bool paintInto(QPaintDevice& device, const PanePicture& pane)
{
    QPainter painter;
    if (!pane.model || !painter.begin(&device))
        return false;
    paintChart(painter, QRect(QPoint(0, 0), sizeOf(pane)), *pane.model);
    return painter.end();
}

QPageSize pageOf(QSize size)
{
    return QPageSize(QSizeF(size) * (kPointsPerInch / kScreenDpi), QPageSize::Point);
}

ExportResult writeBytes(const std::string& path, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {ExportFailure::RenderFailed, {}};
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return exportResultOf(
        core::writeFileAtomically(app::pathFromUtf8(path), std::span(data, static_cast<std::size_t>(bytes.size()))));
}

} // namespace

PictureFormatTexts pictureFormatTexts(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Metafile:
        return {kMetafileFilter, kMetafileExtension, kMetafileFailedText};
    case PictureFormat::Svg:
        return {"SVG 파일 (*.svg)|*.svg||", "svg", kPictureFileFailedText};
    case PictureFormat::Pdf:
        return {"PDF 파일 (*.pdf)|*.pdf||", "pdf", kPictureFileFailedText};
    case PictureFormat::Png:
        return {"PNG 파일 (*.png)|*.png||", "png", kPictureFileFailedText};
    }
    return {};
}

QByteArray metafileOf(const PanePicture& pane)
{
    WmfPaintDevice device(sizeOf(pane), kScreenDpi);
    if (!paintInto(device, pane))
        return {};
    return QByteArray(
        reinterpret_cast<const char*>(device.bytes().data()), static_cast<qsizetype>(device.bytes().size()));
}

QByteArray svgOf(const PanePicture& pane)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(sizeOf(pane));
    generator.setViewBox(QRect(QPoint(0, 0), sizeOf(pane)));
    generator.setResolution(kScreenDpi);
    generator.setTitle(QString::fromStdString(pane.model ? pane.model->title() : std::string()));
    if (!paintInto(generator, pane))
        return {};
    return bytes;
}

QByteArray pngOf(const PanePicture& pane)
{
    QImage image(sizeOf(pane), QImage::Format_RGB32);
    if (image.isNull() || !paintInto(image, pane))
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

QByteArray pdfOf(const std::vector<PanePicture>& panes)
{
    if (panes.empty())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QPdfWriter writer(&buffer);
    writer.setResolution(kScreenDpi);
    writer.setPageMargins(QMarginsF());
    writer.setPageSize(pageOf(sizeOf(panes.front())));
    QPainter painter;
    if (!painter.begin(&writer))
        return {};
    for (std::size_t i = 0; i < panes.size(); ++i) {
        if (i > 0) {
            writer.setPageSize(pageOf(sizeOf(panes[i])));
            if (!writer.newPage())
                return {};
        }
        if (!panes[i].model)
            return {};
        paintChart(painter, QRect(QPoint(0, 0), sizeOf(panes[i])), *panes[i].model);
    }
    if (!painter.end())
        return {};
    buffer.close();
    return bytes;
}

ExportResult writePanePictures(
    PictureFormat format, const std::vector<PanePicture>& panes, bool individual, std::string_view chosenPath)
{
    if (panes.empty())
        return {ExportFailure::NothingToExport, {}};
    if (format == PictureFormat::Pdf)
        return writeBytes(std::string(chosenPath), pdfOf(panes));

    const std::vector<std::string> names
        = paneFileNames(chosenPath, static_cast<int>(panes.size()), individual, pictureFormatTexts(format).extension);
    // Every picture is drawn before the first file is written.
    std::vector<QByteArray> pictures;
    for (const PanePicture& pane : panes) {
        pictures.push_back(format == PictureFormat::Metafile ? metafileOf(pane)
                : format == PictureFormat::Svg               ? svgOf(pane)
                                                             : pngOf(pane));
        if (pictures.back().isEmpty())
            return {ExportFailure::RenderFailed, {}};
    }
    for (std::size_t i = 0; i < names.size() && i < pictures.size(); ++i) {
        const ExportResult written = writeBytes(names[i], pictures[i]);
        if (!written.ok())
            return written;
    }
    return {};
}

std::vector<PanePicture> panePictures(const GraphSession& session, const std::vector<StripChartWidget*>& panes)
{
    std::vector<PanePicture> pictures;
    for (int p = 0; p < session.paneCount() && p < static_cast<int>(panes.size()); ++p) {
        const StripChartWidget* widget = panes[static_cast<std::size_t>(p)];
        if (widget)
            pictures.push_back({&widget->model(), widget->size()});
    }
    return pictures;
}

bool exportPanePictures(PictureFormat format, const GraphSession& session, const std::vector<StripChartWidget*>& panes,
    std::string_view chosenPath, core::UserPrompts& prompts)
{
    return reportExport(writePanePictures(format, panePictures(session, panes), session.individual(), chosenPath),
        pictureFormatTexts(format).failureText, prompts);
}

} // namespace lumetra::graph::ui
