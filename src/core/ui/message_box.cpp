#include "core/ui/message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QString>

namespace lumetra::core::ui {

std::unique_ptr<QMessageBox> createMessageBox(QWidget* parent, std::string_view text, MessageIcon icon)
{
    const QMessageBox::Icon boxIcon = icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information;
    auto box = std::make_unique<QMessageBox>(boxIcon, QString::fromUtf8(kMessageBoxCaption),
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, parent);
    keepTitleVisible(*box);
    return box;
}

void showMessageBox(QWidget* parent, std::string_view text, MessageIcon icon)
{
    createMessageBox(parent, text, icon)->exec();
}

int titleBarWidth(const QMessageBox& box)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(box.windowTitle()) + kTitleBarAllowance;
}

void keepTitleVisible(QMessageBox& box)
{
    // The box sizes itself to its layout when shown; a spacer across the layout keeps it as wide as the title.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    grid->addItem(new QSpacerItem(titleBarWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0,
        1, grid->columnCount());
}

} // namespace lumetra::core::ui
