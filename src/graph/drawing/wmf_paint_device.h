// A paint device whose QPainter calls become Windows metafile records: pens, brushes, fonts (Korean text in code
// page 949 with the Hangul character set), polylines, polygons, rectangles, text and bitmaps, clipped by the
// engine itself to the painter's clip rectangle.
#pragma once

#include "graph/exports/wmf_writer.h"

#include <QPaintDevice>
#include <QSize>

#include <memory>
#include <vector>

namespace lumetra::graph::drawing {

class WmfPaintEngine;

class WmfPaintDevice final : public QPaintDevice {
public:
    // A picture of `size` device pixels at `dotsPerInch`.
    explicit WmfPaintDevice(QSize size, int dotsPerInch = 96);
    ~WmfPaintDevice() override;

    QPaintEngine* paintEngine() const override;
    // The file of everything painted; complete once the painter has ended.
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class WmfPaintEngine;

    QSize size_;
    int dotsPerInch_;
    std::unique_ptr<WmfPaintEngine> engine_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace lumetra::graph::drawing
