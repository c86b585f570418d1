// The POD firmware version (major * 10 + minor): its report in the settings dialog and the data-flash gate.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::link {

// The two text lines the settings dialog shows for a queried version (0: the query failed).
// A missing second line leaves the dialog's second line as it is.
struct FirmwareReport {
    std::string firstLine;
    std::optional<std::string> secondLine;
};

FirmwareReport firmwareReport(std::uint8_t version);

// The version query gave no version (no reply, or a reply that is not "UP" and two digits).
inline constexpr std::string_view kFirmwareQueryFailedText = "POD의 Firmware Version을 얻는데 실패했읍니다.";

enum class DataFlashMode { Erase = 1, Write = 2, WriteVerify = 3 };

// True when the POD firmware supports the data-flash commands.
bool firmwareSupportsDataFlash(std::uint8_t version);
// The message shown when it does not.
std::string_view dataFlashFirmwareMessage(DataFlashMode mode);

} // namespace lumetra::link
