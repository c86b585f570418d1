#include "image/symbol_rebinding.h"

namespace lumetra::image {

void rebindToSymbols(std::vector<CDataObject>& records, const SymbolList& symbols)
{
    for (CDataObject& record : records) {
        if (const std::optional<CDataObject> symbol = symbols.findFirst(record.name)) {
            record.address = symbol->address;
            record.type = symbol->type;
            record.bitOffset = symbol->bitOffset;
            record.bitWidth = symbol->bitWidth;
        }
    }
}

bool lacksSymbol(const CDataObject& record, const SymbolList& symbols)
{
    return !symbols.findFirst(record.name);
}

} // namespace lumetra::image
