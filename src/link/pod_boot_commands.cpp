// CPodLink: the boot-loader word stream, the flash algorithm's `O` operations and the data-flash records.
#include "link/pod_frames.h"
#include "link/pod_link.h"

#include "core/device_catalogue.h"

namespace lumetra::link {

namespace {

constexpr std::size_t kUsbBatchChars = 350;
constexpr Milliseconds kBatchDrainTimeout{2000};
constexpr Milliseconds kDataFlashReplyTimeout{2000};
constexpr Milliseconds kDataFlashEraseTimeout{5000};
constexpr int kLastSingleBankFlashDevice = 65;
constexpr std::uint8_t kProgramPageRecord = 0x73;
constexpr std::uint8_t kVerifyPageRecord = 0x74;

} // namespace

Milliseconds flashReplyTimeout(FlashOp op)
{
    switch (op) {
    case FlashOp::Erase:
        return Milliseconds{100000};
    case FlashOp::Program:
    case FlashOp::AddressCountExtra:
        return Milliseconds{3000};
    case FlashOp::CheckUnlocked:
    case FlashOp::SelectBank1:
    case FlashOp::SelectBank2:
        break;
    }
    return Milliseconds{2000};
}

bool CPodLink::strayByteWaiting()
{
    if (!transport_) {
        return true;
    }
    const auto waiting = transport_->bytesWaiting();
    return !waiting || *waiting > 0;
}

bool CPodLink::flushStream()
{
    const bool written = send(usbStream_, kBatchDrainTimeout);
    usbStream_.clear();
    return written;
}

bool CPodLink::sendStreamed(std::string_view frame)
{
    if (!useUsb_) {
        return sendFrame(frame) && !strayByteWaiting();
    }
    usbStream_ += frame;
    if (usbStream_.size() < kUsbBatchChars) {
        return true;
    }
    return flushStream() && !strayByteWaiting();
}

bool CPodLink::sendClosing(std::string_view frame)
{
    if (!useUsb_) {
        return sendFrame(frame);
    }
    usbStream_ += frame;
    return flushStream();
}

bool CPodLink::SendBootWord(char kind, std::uint16_t value, Milliseconds timeout)
{
    const std::string frame = bootWordFrame(kind, value);
    switch (kind) {
    case 'U':
    case 'V':
    case 'X':
        return sendFrame(frame) && expectAck(timeout);
    case 'S':
        return sendStreamed(frame);
    case 'Y':
    case 'Z':
        return sendClosing(frame) && expectAck(timeout);
    default:
        return false;
    }
}

bool CPodLink::SendBoot32(std::uint32_t value, Milliseconds timeout)
{
    return SendBootWord('U', static_cast<std::uint16_t>(value >> 16), timeout) &&
           SendBootWord('U', static_cast<std::uint16_t>(value & 0xFFFF), timeout);
}

bool CPodLink::SendStreamWord(std::uint16_t value, bool last)
{
    const std::string frame = bootWordFrame('J', value);
    return last ? sendClosing(frame) : sendStreamed(frame);
}

bool CPodLink::FlashCommand(FlashOp op, int deviceCode, const FlashFields& fields)
{
    if (!core::isValidDeviceIndex(deviceCode)) {
        return false;
    }
    const bool bankSelect = op == FlashOp::SelectBank1 || op == FlashOp::SelectBank2;
    if (bankSelect && deviceCode <= kLastSingleBankFlashDevice) {
        return false;
    }
    const auto frame =
        flashFrame(static_cast<std::uint8_t>(op), fields.sectors, fields.address, fields.count, fields.extra);
    if (!frame || !sendFrame(*frame) || !receive(1, flashReplyTimeout(op))) {
        return false;
    }
    const char reply = lastReply_[0];
    if (op == FlashOp::CheckUnlocked && deviceCode <= kLastSingleBankFlashDevice) {
        return reply == kAck || reply == 'X';
    }
    return reply == kAck;
}

bool CPodLink::DataFlashInit(std::uint8_t dataFlashType)
{
    if (dataFlashType >= core::kDataFlashTypeCount) {
        return false;
    }
    return command(dataFlashInitFrame(dataFlashType), kDataFlashReplyTimeout);
}

bool CPodLink::DataFlashEraseSector(std::uint32_t sector)
{
    return command(dataFlashEraseFrame(sector), kDataFlashEraseTimeout);
}

bool CPodLink::dataFlashPage(std::uint8_t type, std::uint32_t page, std::uint8_t lastByteIndex,
                             std::span<const std::uint8_t> data)
{
    const auto record = dataFlashPageFrame(type, page, lastByteIndex, data);
    if (!record) {
        return false;
    }
    const std::string_view bytes = *record;
    return sendFrame(bytes.substr(0, kDataFlashFirstPiece)) && sendFrame(bytes.substr(kDataFlashFirstPiece)) &&
           expectAck(kDataFlashReplyTimeout);
}

bool CPodLink::DataFlashProgramPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data)
{
    return dataFlashPage(kProgramPageRecord, page, lastByteIndex, data);
}

bool CPodLink::DataFlashVerifyPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data)
{
    return dataFlashPage(kVerifyPageRecord, page, lastByteIndex, data);
}

} // namespace lumetra::link
