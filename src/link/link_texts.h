// The texts the link gives for the message page: why a command failed, and the line of a written value. `port`
// is the port's name as the link shows it ("COM1", "/dev/ttyUSB0", "USB (USB POD)").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumetra::link {

std::string usbDriverNotLoadedCause();
std::string usbPodNotFoundCause();
// `usbBaud` is 0 for a serial port.
std::string portNotOpenedCause(std::string_view port, int usbBaud);
// Another program holds the port open.
std::string portInUseCause(std::string_view port);
std::string sendNotFinishedCause(std::string_view port, long long milliseconds);
std::string noReplyCause(std::string_view port, long long milliseconds);
std::string replyCutCause(std::string_view port, std::size_t arrived, std::size_t expected);
// `answer` is the byte that came instead of the acknowledgement, as hexadecimal digits.
std::string wrongAnswerCause(std::string_view port, std::string_view answer);
std::string malformedReplyCause(std::string_view port, char mode);

// `value` and `address` as hexadecimal digits.
std::string valueWrittenLine(std::string_view value, std::string_view address);
std::string valueNotWrittenLine(std::string_view value, std::string_view address, std::string_view cause);

} // namespace lumetra::link
