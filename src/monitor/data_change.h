// The outcome of a monitor's data change dialog on OK: the entry is refused (the dialog stays open), or the
// value was written, or the write failed (the dialog closes; monitoring goes on).
#pragma once

#include <string_view>

namespace lumetra::monitor {

inline constexpr std::string_view kWriteErrorMessage = "데이타 쓰기 오류 !";

enum class DataChangeStatus {
    Written,
    EntryRefused, // the entry's message; the dialog stays open
    WriteFailed, // kWriteErrorMessage
    NotAvailable, // no such row, or the command is not enabled now
};

struct DataChangeResult {
    DataChangeStatus status = DataChangeStatus::NotAvailable;
    std::string_view message; // shown with the information icon; empty for Written and NotAvailable

    bool operator==(const DataChangeResult&) const = default;
};

} // namespace lumetra::monitor
