#include "programming/ui/flash_notice_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace lumetra::programming::ui {

FlashNoticeWindow::FlashNoticeWindow(QWidget* owner)
    : QDialog(owner)
    , closing_(new QTimer(this))
{
    setObjectName(QStringLiteral("flashNotice"));
    auto* layout = new QVBoxLayout(this);
    auto* headline = new QLabel(QStringLiteral("FLASH Writing is OK !!!"), this);
    QFont bold = headline->font();
    bold.setBold(true);
    headline->setFont(bold);
    layout->addWidget(headline, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(QStringLiteral("Target Board를 Flash Boot Mode로 전환한 후 Reset 하십시요."), this));
    layout->addWidget(new QLabel(QStringLiteral("( Boot Pin 사용시 자동으로 Reset 됩니다. )"), this));
    auto* close = new QPushButton(QStringLiteral("닫기"), this);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    closing_->setSingleShot(true);
    connect(closing_, &QTimer::timeout, this, &QDialog::accept);
}

void FlashNoticeWindow::show()
{
    adjustSize();
    if (QWidget* owner = parentWidget())
        move(owner->geometry().center() - rect().center());
    QDialog::show();
    raise();
    closing_->start(kNoticeCloseMs);
}

} // namespace lumetra::programming::ui
