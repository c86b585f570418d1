#include "core/ui/message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>

namespace lumetra::core::ui {
namespace {

TEST(MessageBoxTest, AShortMessageLeavesRoomForTheWholeTitle)
{
    const std::unique_ptr<QMessageBox> box = createMessageBox(nullptr, "통신 오류 발생 !", MessageIcon::Error);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Vestral Lumetra V2.2"));
    EXPECT_EQ(box->text(), QStringLiteral("통신 오류 발생 !"));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->show();
    QFont bold = QApplication::font("QMdiSubWindowTitleBar");
    bold.setBold(true);
    EXPECT_GE(box->width(), QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + kTitleBarAllowance);
    box->hide();
}

TEST(MessageBoxTest, ALongMessageKeepsItsOwnWidth)
{
    const std::string text(60, 'W');
    const std::unique_ptr<QMessageBox> box = createMessageBox(nullptr, text, MessageIcon::Information);
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    box->show();
    const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_GT(box->width(), titleBarWidth(*box));
    EXPECT_GE(box->width(), label->width());
    box->hide();
}

} // namespace
} // namespace lumetra::core::ui
