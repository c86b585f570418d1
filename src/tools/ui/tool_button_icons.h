// The icons of the registration dialog's five list buttons, drawn rather than loaded.
#pragma once

#include <QIcon>

namespace lumetra::tools::ui {

enum class ListButton { Add, Replace, Delete, Up, Down };

QIcon listButtonIcon(ListButton button);

} // namespace lumetra::tools::ui
