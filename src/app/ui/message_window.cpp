#include "app/ui/message_window.h"

#include "app/command_prompts.h"
#include "image/ui/section_page.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace lumetra::app::ui {

namespace {

constexpr int kMessageFontPoints = 8;

QFont messageFont()
{
    QFont font(QStringLiteral("Courier"), kMessageFontPoints);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

MessageWindow::MessageWindow(core::SettingsStore& store, QWidget* parent)
    : QDockWidget(QString(), parent)
    , pages_(new QTabWidget)
    , messages_(new QPlainTextEdit)
    , sections_(new image::ui::SectionPage(store))
{
    setObjectName(QStringLiteral("MessageWindow"));
    setWindowTitle(QString::fromStdString(commandPrompt(MainCommand::OutputWindow).tip));
    messages_->setReadOnly(true);
    // Appended text is never undone; an undo history would grow with every line a tool prints.
    messages_->setUndoRedoEnabled(false);
    messages_->setFont(messageFont());
    messages_->setLineWrapMode(QPlainTextEdit::NoWrap);
    messages_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    messages_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    pages_->setTabPosition(QTabWidget::South);
    pages_->addTab(messages_, QStringLiteral("메시지 정보"));
    pages_->addTab(sections_, QStringLiteral("섹션 정보"));
    pages_->setCurrentIndex(0);
    setWidget(pages_);
}

void MessageWindow::appendMessage(const QString& text)
{
    QTextCursor end(messages_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    messages_->setTextCursor(end);
    messages_->ensureCursorVisible();
}

void MessageWindow::clearMessages()
{
    messages_->clear();
}

qsizetype MessageWindow::messageLength() const
{
    return messages_->document()->characterCount() - 1;
}

void MessageWindow::dropOldestMessages(qsizetype count)
{
    QTextCursor start(messages_->document());
    start.setPosition(static_cast<int>(std::min(count, messageLength())), QTextCursor::KeepAnchor);
    start.removeSelectedText();
}

void MessageWindow::showMessagePage()
{
    pages_->setCurrentWidget(messages_);
}

void MessageWindow::showSectionPage()
{
    pages_->setCurrentWidget(sections_);
}

} // namespace lumetra::app::ui
