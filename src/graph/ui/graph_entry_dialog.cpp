#include "graph/ui/graph_entry_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lumetra::graph::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

GraphEntryDialog::GraphEntryDialog(
    std::string_view title, std::vector<EntryField> fields, Check check, core::UserPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , check_(std::move(check))
    , prompts_(prompts)
{
    setWindowTitle(qt(title));
    auto* grid = new QGridLayout;
    int row = 0;
    for (const EntryField& field : fields) {
        auto* edit = new QLineEdit(qt(field.prefill));
        if (field.maxLength > 0)
            edit->setMaxLength(field.maxLength);
        auto* label = new QLabel(qt(field.label));
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        if (!field.unit.empty())
            grid->addWidget(new QLabel(qt(field.unit)), row, 2);
        edits_.push_back(edit);
        ++row;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &GraphEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GraphEntryDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    if (!edits_.empty())
        edits_.front()->selectAll();
}

void GraphEntryDialog::accept()
{
    std::vector<std::string> texts;
    texts.reserve(edits_.size());
    for (const QLineEdit* edit : edits_)
        texts.push_back(edit->text().toStdString());
    const EntryVerdict verdict = check_(texts);
    if (!verdict.refusal.empty()) {
        prompts_.showMessage(core::MessageIcon::Information, verdict.refusal);
        return;
    }
    if (!verdict.notice.empty())
        prompts_.showMessage(core::MessageIcon::Information, verdict.notice);
    QDialog::accept();
}

} // namespace lumetra::graph::ui
