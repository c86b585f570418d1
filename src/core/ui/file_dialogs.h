// File dialogs over the "Name|pattern|Name|pattern||" filters of the core.
#pragma once

#include "core/file_chooser.h"

#include <QFileDialog>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace lumetra::core::ui {

// "Coff Files (.out)|*.out|All Files (*.*)|*.*||" becomes "Coff Files (.out) (*.out);;All Files (*.*) (*)".
QString qtFileFilter(std::string_view pipeFilter);

// The filter names carry their patterns already ("Coff Files (.out)"): the dialogs show each name once, without
// the pattern Qt would add.
inline constexpr QFileDialog::Options kFileDialogOptions = QFileDialog::HideNameFilterDetails;

// The modal save dialog with its overwrite prompt; the chosen path in UTF-8, or nullopt on Cancel.
std::optional<std::string> askSaveFile(QWidget* parent, const SaveFileRequest& request);

class QtFileChooser final : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent)
        : parent_(parent)
    {
    }

    std::optional<std::string> chooseSaveFile(const SaveFileRequest& request) override
    {
        return askSaveFile(parent_, request);
    }

private:
    QWidget* parent_;
};

} // namespace lumetra::core::ui
