#include "graph/drawing/wmf_paint_device.h"

#include "graph/drawing/wmf_paint_engine.h"

namespace lumetra::graph::drawing {

namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

WmfPaintDevice::WmfPaintDevice(QSize size, int dotsPerInch)
    : size_(size.expandedTo(QSize(1, 1)))
    , dotsPerInch_(std::max(dotsPerInch, 1))
    , engine_(std::make_unique<WmfPaintEngine>(*this))
{
}

WmfPaintDevice::~WmfPaintDevice() = default;

QPaintEngine* WmfPaintDevice::paintEngine() const
{
    return engine_.get();
}

int WmfPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return static_cast<int>(size_.width() * kMillimetresPerInch / dotsPerInch_);
    case PdmHeightMM:
        return static_cast<int>(size_.height() * kMillimetresPerInch / dotsPerInch_);
    case PdmNumColors:
        return 0xFFFFFF;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return dotsPerInch_;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace lumetra::graph::drawing
