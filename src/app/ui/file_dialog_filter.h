// File dialog filters: the "Name|pattern|Name|pattern||" form of the core as the Qt dialogs take them.
#pragma once

#include <QFileDialog>
#include <QString>

#include <string_view>

namespace lumetra::app::ui {

// "Coff Files (.out)|*.out|All Files (*.*)|*.*||" becomes "Coff Files (.out) (*.out);;All Files (*.*) (*)".
QString qtFileFilter(std::string_view pipeFilter);

// The filter names carry their patterns already ("Coff Files (.out)"): the dialogs show each name once, without
// the pattern Qt would add.
inline constexpr QFileDialog::Options kFileDialogOptions = QFileDialog::HideNameFilterDetails;

} // namespace lumetra::app::ui
