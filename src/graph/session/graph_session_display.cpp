// GraphSession: what the chart panes show: their reset, the value axes, decimals and the current channel.
#include "graph/session/graph_session.h"

#include "graph/session/graph_texts.h"

#include <algorithm>

namespace lumetra::graph {

void GraphSession::resetPanes()
{
    if (acquiring_) {
        ports_.timer.kill();
        setAcquiring(false);
    }
    for (int p = 0; p < paneCount(); ++p) {
        resetPane(p);
    }
    currentChannel_ = 1;
    ports_.status.showChannelText(channelText(1));
    if (kind_ == GraphKind::Memory) {
        ports_.status.clearProgress();
    }
    counter_ = 0;
    times_.reset(kind_ == GraphKind::Time ? capacities_[0] : 0);
    if (kind_ == GraphKind::Time) {
        grid_.clearLag();
        ports_.status.showLagText(sampleLagText(grid_.lag()));
    }
}

void GraphSession::resetPane(int p)
{
    StripChart& chart = pane(p);
    chart.clearDataAndLines();
    chart.resetAppearance();
    chart.setXSpan(0.0);
    chart.setValueRange(0.0, 0.0);
    chart.setCapacity(0);
    chart.setDecimals(0);
    refresh(chart);

    for (std::size_t c = 0; c < channels_.size(); ++c) {
        if (!individual_ || static_cast<int>(c) == p) {
            chart.addDataLine(channels_[c].label, colours_[c]);
        }
    }

    std::size_t capacity = kTimeGraphCapacity;
    double span = kTimeGraphSpan;
    if (kind_ == GraphKind::Memory) {
        capacity = individual_ ? channels_[static_cast<std::size_t>(p)].length : length_;
        span = capacity > 0 ? static_cast<double>(capacity - 1) : 0.0;
        chart.setXAxisMode(XAxisMode::Memory);
    } else {
        chart.setXAxisMode(XAxisMode::Time);
    }
    chart.setXSpan(span);
    chart.setCapacity(capacity);
    capacities_[static_cast<std::size_t>(p)] = capacity;

    if (scaleMode_ == ScaleMode::Automatic) {
        chart.setAutoScale(true);
        chart.setValueRange(-10.0, 10.0);
    } else {
        chart.setAutoScale(false);
        chart.setValueRange(minimum_, maximum_);
    }
    chart.setDecimals(static_cast<int>(decimals_));
    refresh(chart);
    chart.setActiveLine(0);
}

void GraphSession::fitValueAxes()
{
    for (int p = 0; p < paneCount(); ++p) {
        StripChart& chart = pane(p);
        const int lines = individual_ ? std::min(chart.dataLineCount(), 1) : chart.dataLineCount();
        if (lines == 0) {
            continue;
        }
        double low = chart.lineMinimum(0);
        double high = chart.lineMaximum(0);
        for (int line = 1; line < lines; ++line) {
            low = std::min(low, chart.lineMinimum(line));
            high = std::max(high, chart.lineMaximum(line));
        }
        chart.setValueRange(low, high);
        refresh(chart);
    }
}

void GraphSession::applyManualBounds()
{
    for (int p = 0; p < paneCount(); ++p) {
        StripChart& chart = pane(p);
        chart.setAutoScale(false);
        chart.setValueRange(minimum_, maximum_);
        refresh(chart);
    }
}

void GraphSession::autoScale()
{
    if (scaleMode_ == ScaleMode::Automatic) {
        return;
    }
    for (int p = 0; p < paneCount(); ++p) {
        StripChart& chart = pane(p);
        const double low = chart.lineMinimum(0);
        const double high = chart.lineMaximum(0);
        chart.setAutoScale(true);
        chart.setValueRange(low, high);
        refresh(chart);
    }
    scaleMode_ = ScaleMode::Automatic;
    ports_.status.showScaleText(scaleText());
}

void GraphSession::selectChannel(int channel)
{
    if (channel < 1 || channel > static_cast<int>(channels_.size()) || (individual_ && channel > 1)) {
        return;
    }
    if (individual_) {
        for (int p = 0; p < paneCount(); ++p) {
            pane(p).setActiveLine(0);
        }
    } else {
        pane(0).setActiveLine(channel - 1);
    }
    currentChannel_ = channel;
    ports_.status.showChannelText(channelText(channel));
}

} // namespace lumetra::graph
