// The dockable message window: the message page ("메시지 정보"), read-only text that only grows at its end,
// and the section page ("섹션 정보") of the loaded program.
#pragma once

#include "core/settings_store.h"

#include <QDockWidget>

class QPlainTextEdit;
class QTabWidget;

namespace lumetra::image::ui {
class SectionPage;
}

namespace lumetra::app::ui {

class MessageWindow : public QDockWidget {
    Q_OBJECT

public:
    explicit MessageWindow(core::SettingsStore& store, QWidget* parent = nullptr);

    // Appends at the end of the message page and scrolls to it.
    void appendMessage(const QString& text);
    void clearMessages();
    // Characters on the message page, and the oldest of them removed.
    qsizetype messageLength() const;
    void dropOldestMessages(qsizetype count);

    void showMessagePage();
    void showSectionPage();

    QTabWidget* pages() const { return pages_; }
    QPlainTextEdit* messagePage() const { return messages_; }
    image::ui::SectionPage* sectionPage() const { return sections_; }

private:
    QTabWidget* pages_;
    QPlainTextEdit* messages_;
    image::ui::SectionPage* sections_;
};

} // namespace lumetra::app::ui
