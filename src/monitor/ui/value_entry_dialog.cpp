#include "monitor/ui/value_entry_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lumetra::monitor::ui {

ValueEntryDialog::ValueEntryDialog(const QString& title, const std::vector<std::pair<QString, std::string>>& fields,
    const QString& editLabel, const std::string& editText, EntryRule rule, MessageSink messages, QWidget* parent)
    : QDialog(parent)
    , edit_(new QLineEdit(QString::fromStdString(editText), this))
    , rule_(std::move(rule))
    , messages_(std::move(messages))
{
    setWindowTitle(title);
    auto* form = new QFormLayout;
    for (const auto& [label, value] : fields) {
        auto* shown = new QLabel(QString::fromStdString(value), this);
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(label, shown);
    }
    form->addRow(editLabel, edit_);
    edit_->selectAll();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ValueEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ValueEntryDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void ValueEntryDialog::accept()
{
    const std::optional<std::string> refused = rule_(edit_->text().toStdString());
    if (refused) {
        messages_(core::MessageIcon::Information, *refused);
        edit_->setFocus();
        return;
    }
    QDialog::accept();
}

void runDataChangeEntry(const QString& title, const DataFields& fields, const std::string& valueText,
    const std::function<DataChangeResult(const std::string& entry)>& write, const MessageSink& messages,
    QWidget* parent)
{
    DataChangeResult written;
    ValueEntryDialog dialog(
        title, fields, QStringLiteral("Value :"), valueText,
        [&write, &written](const std::string& entry) -> std::optional<std::string> {
            written = write(entry);
            if (written.status == DataChangeStatus::EntryRefused)
                return std::string(written.message);
            return std::nullopt;
        },
        messages, parent);
    dialog.exec();
    if (written.status == DataChangeStatus::WriteFailed)
        messages(core::MessageIcon::Information, written.message);
}

} // namespace lumetra::monitor::ui
