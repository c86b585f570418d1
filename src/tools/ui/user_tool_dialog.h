// The registration dialog "사용자 도구 등록 설정": shows the state of the registration rules and hands every
// edit, selection and button to them; OK writes the rows, and closing either way the browse folder.
#pragma once

#include "core/settings_store.h"
#include "core/user_prompts.h"
#include "tools/path_probe.h"
#include "tools/tool_dialog_logic.h"
#include "tools/ui/tool_browsers.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace lumetra::tools::ui {

class UserToolDialog : public QDialog {
    Q_OBJECT

public:
    UserToolDialog(core::SettingsStore& store, const PathProbe& probe, core::UserPrompts& prompts,
        ToolBrowsers browsers, QWidget* parent = nullptr);

    const ToolDialogState& state() const { return state_; }

    // Controls, for tests.
    QListWidget* toolList() const { return list_; }
    QLineEdit* commandEdit() const { return commandEdit_; }
    QLineEdit* folderEdit() const { return folderEdit_; }
    QLineEdit* nameEdit() const { return nameEdit_; }
    QPushButton* programBrowseButton() const { return programBrowse_; }
    QPushButton* folderBrowseButton() const { return folderBrowse_; }
    QToolButton* addButton() const { return add_; }
    QToolButton* replaceButton() const { return replace_; }
    QToolButton* deleteButton() const { return delete_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    void done(int result) override;

private:
    QWidget* buildEdits();
    QWidget* buildListButtons();
    void showState();
    void editsChanged();
    void rowClicked(int row);
    void apply(const ToolDialogStep& step);
    void browseProgram();
    void browseFolder();

    core::SettingsStore& store_;
    const PathProbe& probe_;
    core::UserPrompts& prompts_;
    ToolBrowsers browsers_;
    ToolDialogState state_;

    QListWidget* list_ = nullptr;
    QLineEdit* commandEdit_ = nullptr;
    QLineEdit* folderEdit_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QPushButton* programBrowse_ = nullptr;
    QPushButton* folderBrowse_ = nullptr;
    QToolButton* add_ = nullptr;
    QToolButton* replace_ = nullptr;
    QToolButton* delete_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};

} // namespace lumetra::tools::ui
