// The widest texts a monitor column can show, so that its width never cuts a value off.
#pragma once

#include "monitor/data_types.h"
#include "monitor/view_types.h"

#include <string>

namespace lumetra::monitor {

// The widest value text of a variable of that display group in that view type. Floats in fixed notation have no
// useful bound: their widest here is that of -2^31, wider ones come from the rows themselves.
std::string widestVariableValueText(ViewType view, DisplayGroup group);
// The same for a memory monitor cell.
std::string widestMemoryCellText(ViewType view);

} // namespace lumetra::monitor
