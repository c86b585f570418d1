#include "image/symbol_list.h"

#include <algorithm>

namespace lumetra::image {

const CDataObject* SymbolList::findFirst(std::string_view name) const
{
    const auto found
        = std::find_if(records_.begin(), records_.end(), [name](const CDataObject& r) { return r.name == name; });
    return found == records_.end() ? nullptr : &*found;
}

} // namespace lumetra::image
