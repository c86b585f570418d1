// A channel colour picker: a button with a colour swatch whose menu offers a small palette, "Default" (the
// channel's default colour) and "Custom..." (the colour dialog). Colours are 0x00BBGGRR as stored.
#pragma once

#include <QToolButton>

#include <cstdint>

namespace lumetra::graph::ui {

QColor qColourOf(std::uint32_t colourRef);
std::uint32_t colourRefOf(const QColor& colour);

class ChannelColourButton : public QToolButton {
    Q_OBJECT

public:
    ChannelColourButton(const QString& text, std::uint32_t defaultColour, QWidget* parent = nullptr);

    std::uint32_t colour() const { return colour_; }
    void setColour(std::uint32_t colour);

signals:
    // The user chose a colour from the menu or the colour dialog.
    void colourChosen(std::uint32_t colour);

private:
    void choose(std::uint32_t colour);
    void chooseCustom();

    std::uint32_t colour_ = 0;
    std::uint32_t defaultColour_;
};

} // namespace lumetra::graph::ui
