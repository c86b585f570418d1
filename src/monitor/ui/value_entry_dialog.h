// The monitors' entry dialogs ("모니터링 시작 주소 설정", "선택 주소 데이타 변경", "심볼 데이타 변환"): a few
// read-only fields above one edit. OK hands the typed text to the pane's rule, which either refuses it with a
// message (the dialog stays open) or closes the dialog.
#pragma once

#include "monitor/data_change.h"

#include "core/settings_dialog_logic.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QLineEdit;

namespace lumetra::monitor::ui {

using MessageSink = std::function<void(core::MessageIcon icon, std::string_view text)>;

class ValueEntryDialog : public QDialog {
    Q_OBJECT

public:
    // The rule answers the message of a refused entry, nullopt when the dialog closes.
    using EntryRule = std::function<std::optional<std::string>(const std::string& entry)>;

    ValueEntryDialog(const QString& title, const std::vector<std::pair<QString, std::string>>& fields,
        const QString& editLabel, const std::string& editText, EntryRule rule, MessageSink messages,
        QWidget* parent = nullptr);

    QLineEdit* edit() const { return edit_; }

public slots:
    void accept() override;

private:
    QLineEdit* edit_;
    EntryRule rule_;
    MessageSink messages_;
};

using DataFields = std::vector<std::pair<QString, std::string>>;

// A data change dialog: OK writes the entry through `write`; a refused entry keeps the dialog open, a failed
// write is reported once the dialog has closed.
void runDataChangeEntry(const QString& title, const DataFields& fields, const std::string& valueText,
    const std::function<DataChangeResult(const std::string& entry)>& write, const MessageSink& messages,
    QWidget* parent);

} // namespace lumetra::monitor::ui
