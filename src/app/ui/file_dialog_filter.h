// File dialog filters: the "Name|pattern|Name|pattern||" form of the core as the Qt dialogs take them.
#pragma once

#include <QString>

#include <string_view>

namespace lumetra::app::ui {

// "Coff Files (.out)|*.out|All Files (*.*)|*.*||" becomes "Coff Files (.out) (*.out);;All Files (*.*) (*)".
QString qtFileFilter(std::string_view pipeFilter);

} // namespace lumetra::app::ui
