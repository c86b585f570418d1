#include "graph/drawing/pane_pictures.h"

#include "graph/drawing/chart_painter.h"
#include "graph/drawing/wmf_paint_device.h"
#include "graph/exports/pane_file_names.h"

#include "core/path_text.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <span>

namespace lumetra::graph::drawing {

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
        core::writeFileAtomically(core::pathFromUtf8(path), std::span(data, static_cast<std::size_t>(bytes.size()))));
}

QByteArray pictureOf(GraphExport format, const PanePicture& pane)
{
    switch (format) {
    case GraphExport::Metafile:
        return metafileOf(pane);
    case GraphExport::Svg:
        return svgOf(pane);
    case GraphExport::Png:
        return pngOf(pane);
    default:
        return {};
    }
}

} // namespace

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
    GraphExport format, const std::vector<PanePicture>& panes, bool individual, std::string_view chosenPath)
{
    if (panes.empty())
        return {ExportFailure::NothingToExport, {}};
    if (format == GraphExport::Pdf)
        return writeBytes(std::string(chosenPath), pdfOf(panes));

    const std::vector<std::string> names
        = paneFileNames(chosenPath, static_cast<int>(panes.size()), individual, exportDialogOf(format).extension);
    // Every picture is drawn before the first file is written.
    std::vector<QByteArray> pictures;
    for (const PanePicture& pane : panes) {
        pictures.push_back(pictureOf(format, pane));
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

} // namespace lumetra::graph::drawing
