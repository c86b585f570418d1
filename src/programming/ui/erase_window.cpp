#include "programming/ui/erase_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace lumetra::programming::ui {

EraseWindow::EraseWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("eraseWindow"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Flash Erasing..."), this));
    auto* animation = new QProgressBar(this);
    animation->setRange(0, 0); // an endless running bar
    animation->setTextVisible(false);
    layout->addWidget(animation);
    setMinimumWidth(280);
}

} // namespace lumetra::programming::ui
