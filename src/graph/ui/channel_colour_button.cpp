#include "graph/ui/channel_colour_button.h"

#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include <array>

namespace lumetra::graph::ui {

namespace {

// 0x00BBGGRR: the basic colours of a line plot on a dark chart.
constexpr std::array<std::uint32_t, 16> kPalette {0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000080, 0x0000FF, 0x008080,
    0x00FFFF, 0x008000, 0x00FF00, 0x808000, 0xFFFF00, 0x800000, 0xFF0000, 0x800080, 0xFF00FF};

constexpr int kSwatchSize = 14;

QIcon swatch(std::uint32_t colour)
{
    QPixmap pixmap(kSwatchSize, kSwatchSize);
    pixmap.fill(qColourOf(colour));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, kSwatchSize - 1, kSwatchSize - 1);
    return QIcon(pixmap);
}

} // namespace

QColor qColourOf(std::uint32_t colourRef)
{
    return QColor(static_cast<int>(colourRef & 0xFF), static_cast<int>((colourRef >> 8) & 0xFF),
        static_cast<int>((colourRef >> 16) & 0xFF));
}

std::uint32_t colourRefOf(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8)
        | (static_cast<std::uint32_t>(colour.blue()) << 16);
}

ChannelColourButton::ChannelColourButton(const QString& text, std::uint32_t defaultColour, QWidget* parent)
    : QToolButton(parent)
    , defaultColour_(defaultColour)
{
    setText(text);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setPopupMode(QToolButton::InstantPopup);

    auto* menu = new QMenu(this);
    for (std::uint32_t colour : kPalette) {
        QAction* action = menu->addAction(swatch(colour), qColourOf(colour).name(QColor::HexRgb).toUpper());
        connect(action, &QAction::triggered, this, [this, colour] { choose(colour); });
    }
    menu->addSeparator();
    connect(menu->addAction(swatch(defaultColour), QStringLiteral("Default")), &QAction::triggered, this,
        [this] { choose(defaultColour_); });
    connect(
        menu->addAction(QStringLiteral("Custom...")), &QAction::triggered, this, &ChannelColourButton::chooseCustom);
    setMenu(menu);
    setColour(defaultColour);
}

void ChannelColourButton::setColour(std::uint32_t colour)
{
    colour_ = colour;
    setIcon(swatch(colour));
}

void ChannelColourButton::choose(std::uint32_t colour)
{
    setColour(colour);
    emit colourChosen(colour);
}

void ChannelColourButton::chooseCustom()
{
    const QColor colour = QColorDialog::getColor(qColourOf(colour_), this);
    if (colour.isValid())
        choose(colourRefOf(colour));
}

} // namespace lumetra::graph::ui
