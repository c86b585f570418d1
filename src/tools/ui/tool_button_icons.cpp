#include "tools/ui/tool_button_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace lumetra::tools::ui {

namespace {

constexpr int kIconSize = 16;

void drawGlyph(QPainter& painter, ListButton button)
{
    QPen pen(QColor(0x30, 0x30, 0x30), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    switch (button) {
    case ListButton::Add:
        painter.setPen(QPen(QColor(0x1E, 0x7B, 0x1E), 2.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(8, 3), QPointF(8, 13));
        painter.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case ListButton::Replace:
        painter.drawPolyline(QPolygonF({QPointF(3, 6), QPointF(12, 6), QPointF(9.5, 3.5)}));
        painter.drawPolyline(QPolygonF({QPointF(13, 10), QPointF(4, 10), QPointF(6.5, 12.5)}));
        break;
    case ListButton::Delete:
        painter.setPen(QPen(QColor(0xB0, 0x20, 0x20), 2.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case ListButton::Up:
    case ListButton::Down: {
        const bool up = button == ListButton::Up;
        painter.setBrush(QColor(0x30, 0x30, 0x60));
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(up ? QPolygonF({QPointF(8, 3), QPointF(14, 12), QPointF(2, 12)})
                               : QPolygonF({QPointF(8, 13), QPointF(14, 4), QPointF(2, 4)}));
        break;
    }
    }
}

} // namespace

QIcon listButtonIcon(ListButton button)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawGlyph(painter, button);
    painter.end();
    return QIcon(pixmap);
}

} // namespace lumetra::tools::ui
