#include "core/ui/message_box.h"

#include <QMessageBox>
#include <QString>

namespace lumetra::core::ui {

void showMessageBox(QWidget* parent, std::string_view text, MessageIcon icon)
{
    const QMessageBox::Icon boxIcon = icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(boxIcon, QString::fromUtf8(kMessageBoxCaption),
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, parent);
    box.exec();
}

} // namespace lumetra::core::ui
