// CPodLink: POD parameters, the alive check, target memory reads and writes, and the target's control lines.
#include "link/link_texts.h"
#include "link/pod_frames.h"
#include "link/pod_link.h"

namespace lumetra::link {

namespace {

constexpr Milliseconds kTxDelaySettle {30};
constexpr Milliseconds kBaudSettle {10};
constexpr Milliseconds kLineSettle {10};
constexpr Milliseconds kLongReplyTimeout {2000};
constexpr Milliseconds kLineReplyTimeout {600};
constexpr int kReadAttempts = 2;

} // namespace

bool CPodLink::SetTxDelay(std::uint8_t index)
{
    const auto frame = txDelayFrame(index);
    if (!frame || !sendFrame(*frame)) {
        return false;
    }
    pause(kTxDelaySettle);
    return true;
}

std::uint8_t CPodLink::QueryFirmwareVersion()
{
    if (!sendFrame(frame("Q")) || !receive(4, replyTimeout_)) {
        return 0;
    }
    return parseFirmwareReply(lastReply_).value_or(0);
}

bool CPodLink::SetTargetBaud(int baudCode)
{
    const auto frame = targetBaudFrame(baudCode);
    if (!frame) {
        return false;
    }
    pause(kBaudSettle);
    if (!command(*frame, replyTimeout_)) {
        return false;
    }
    pause(kBaudSettle);
    return true;
}

bool CPodLink::Ping()
{
    return command(frame("!"), kLongReplyTimeout);
}

bool CPodLink::readAttempt(std::optional<std::uint32_t> address, char mode, std::uint32_t& value)
{
    value = 0;
    if (address && !command(*addressFrame(*address), kLongReplyTimeout)) {
        return false;
    }
    if (!sendFrame(frame(std::string(1, mode)))) {
        return false;
    }
    const int digits = readReplyDigits(mode);
    if (digits == 0) {
        return true;
    }
    const auto length = static_cast<std::size_t>(digits);
    if (!receive(length + 1, kLongReplyTimeout)) {
        return false;
    }
    const auto parsed = parseHex(std::string_view(lastReply_).substr(0, length));
    if (!parsed || lastReply_[length] != kCr) {
        return fail(malformedReplyCause(portName_, mode));
    }
    value = *parsed;
    return true;
}

bool CPodLink::readWithRetry(std::optional<std::uint32_t> address, char mode, std::uint32_t& value)
{
    const std::optional<std::uint32_t> readAddress = address ? address : nextReadAddress_;
    nextReadAddress_.reset();
    for (int attempt = 1; attempt <= kReadAttempts; ++attempt) {
        if (readAttempt(address, mode, value)) {
            const std::optional<std::uint32_t> advance = readAdvanceWords(mode);
            if (readAddress && advance) {
                nextReadAddress_ = *readAddress + *advance;
            }
            return true;
        }
        if (attempt == kReadAttempts || !readAddress || !addressFrame(*readAddress)) {
            break;
        }
        Purge();
        SetTxDelay(txDelayIndex_);
        Purge();
        address = readAddress;
    }
    return false;
}

bool CPodLink::ReadWord(std::uint32_t address, char mode, std::uint32_t& value)
{
    value = 0;
    if (!addressFrame(address)) {
        return false;
    }
    return readWithRetry(address, mode, value);
}

bool CPodLink::ReadNext(char mode, std::uint32_t& value)
{
    return readWithRetry(std::nullopt, mode, value);
}

bool CPodLink::WriteWord(int width, std::uint32_t address, std::uint32_t value)
{
    nextReadAddress_.reset();
    const auto frame = writeWordFrame(width, address, value);
    const bool written = frame && command(*frame, kLongReplyTimeout);
    if (activityLog_ && frame) {
        const std::uint32_t sent = width == 1 ? value & 0xFFFF : value;
        const std::string digits = *hexField(sent, 4 * width);
        const std::string at = *hexField(address, 6);
        activityLog_->record(written ? valueWrittenLine(digits, at) : valueNotWrittenLine(digits, at, lastFailure_));
    }
    return written;
}

bool CPodLink::controlLine(char letter)
{
    pause(kLineSettle);
    if (!command(frame(std::string(1, letter)), kLineReplyTimeout)) {
        return false;
    }
    pause(kLineSettle);
    if (!useUsb_) {
        Purge();
    }
    return true;
}

bool CPodLink::EnterBootMode()
{
    return controlLine('M');
}

bool CPodLink::ResetTarget()
{
    return controlLine('N');
}

bool CPodLink::AutoBaudLf240x()
{
    return command(frame("T"), kLongReplyTimeout);
}

bool CPodLink::AutoBaudF28x()
{
    return command(frame("P"), kLongReplyTimeout);
}

} // namespace lumetra::link
