// The program's symbol list: the monitorable global variables in symbol table order, duplicates kept.
#pragma once

#include "image/data_object.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace lumetra::image {

class SymbolList {
public:
    SymbolList() = default;
    explicit SymbolList(std::vector<CDataObject> records)
        : records_(std::move(records))
    {
    }

    std::size_t count() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    const CDataObject& at(std::size_t index) const { return records_.at(index); }
    const std::vector<CDataObject>& records() const { return records_; }

    // The first record whose name is exactly `name` (case-sensitive); nullptr when there is none.
    const CDataObject* findFirst(std::string_view name) const;

    void clear() { records_.clear(); }

private:
    std::vector<CDataObject> records_;
};

} // namespace lumetra::image
