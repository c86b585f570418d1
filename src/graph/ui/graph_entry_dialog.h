// A small modal dialog of a graph window: a caption, one or more labelled edits (optionally with a unit and a
// length limit) and OK / Cancel. OK hands the texts to the dialog's check; a refusal shows its message
// (information icon) and keeps the dialog open, a notice is shown (information icon) before the dialog closes.
#pragma once

#include "core/user_prompts.h"

#include <QDialog>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;

namespace lumetra::graph::ui {

struct EntryField {
    std::string_view label;
    std::string prefill;
    std::string_view unit; // shown after the edit; empty for none
    int maxLength = 0; // characters; 0 for no limit
};

struct EntryVerdict {
    std::string refusal; // empty to accept
    std::string notice; // shown when accepting; empty for none
};

class GraphEntryDialog final : public QDialog {
public:
    // The texts of the fields in order (UTF-8).
    using Check = std::function<EntryVerdict(const std::vector<std::string>& texts)>;

    GraphEntryDialog(std::string_view title, std::vector<EntryField> fields, Check check, core::UserPrompts& prompts,
        QWidget* parent = nullptr);

    QLineEdit* edit(int field) const { return edits_.at(static_cast<std::size_t>(field)); }

    void accept() override;

private:
    Check check_;
    core::UserPrompts& prompts_;
    std::vector<QLineEdit*> edits_;
};

} // namespace lumetra::graph::ui
