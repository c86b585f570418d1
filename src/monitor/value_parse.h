// Turning the text typed into a data entry dialog back into the raw value to write.
#pragma once

#include "monitor/view_types.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::monitor {

enum class EntryError {
    Empty, // "데이타를 입력하십시요."
    NotBinary, // "Binary Data Type으로 값을 입력하십시요."
    NotNumber, // "숫자 형식이 잘못되었읍니다. ..."; nothing is written
};

// The message box text (information icon) for an entry error; the dialog stays open.
std::string_view entryErrorMessage(EntryError error);

// The raw 32-bit value to write, or why the entry is refused. A one-word write sends only the low 16 bits.
struct EntryResult {
    std::uint32_t value = 0;
    std::optional<EntryError> error;

    bool ok() const { return !error.has_value(); }
    bool operator==(const EntryResult&) const = default;
};

// The text is trimmed first; an empty (or all white space) text is refused. A text with "." anywhere is a
// decimal fraction written as its IEEE single-precision bits, whatever the view type. Otherwise a binary
// view type takes only "0" and "1" characters, keeps the first binaryDigits of them, last one bit 0; every
// other view type takes an integer by the number entry rule. A fraction or integer that is not the whole text
// ("12abc", "1.5abc", "0x1G") is refused.
EntryResult parseEntry(std::string_view text, ViewType view, int binaryDigits);

// The memory monitor's data change dialog: binary entries keep 16 digits.
EntryResult parseMemoryEntry(std::string_view text, ViewType view);

// The variable monitor's data change dialog: binary entries keep 16 digits for one-word data types and 32 for
// the others (every data type's binary entry is converted).
EntryResult parseVariableEntry(std::string_view text, ViewType view, std::uint32_t dataType);

} // namespace lumetra::monitor
