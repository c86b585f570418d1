// CPodLink: the one link object to the POD. Opens the USB or serial transport and speaks the POD's framed
// ASCII command language over it. Every operation blocks the caller and returns a plain result.
#pragma once

#include "link/transport.h"

#include "core/activity_log.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lumetra::link {

// Result of Connect; each failure has a fixed message (connectMessage).
enum class ConnectCode : std::uint16_t {
    Connected = 0,
    PortNotOpened = 1,
    InitFailed = 2, // the POD did not answer `I`
    BaudRefused = 3, // the POD refused `K`
};

// "통신 포트를 여는데 실패했읍니다." etc.; empty for Connected.
std::string_view connectMessage(ConnectCode code);

// Which accepted USB description was found: "USB POD" (0), "Vestral_UTA POD" or "Korimat USBCOM" (1).
enum class PodKind : int { UsbPod = 0, UtaPod = 1 };

inline constexpr int kUsbPodBaud = 921600;
inline constexpr int kUtaPodBaud = 460800;
inline constexpr int kUsbFallbackBaud = 115200;
inline constexpr Milliseconds kDefaultReplyTimeout {200};
inline constexpr Milliseconds kInterByteTimeout {100};

// Operations of the POD's flash algorithm (`O` + two hex digits).
enum class FlashOp : std::uint8_t {
    CheckUnlocked = 0x00, // reply `!` (or `X` on device codes up to 65)
    Erase = 0x01, // sectors field
    Program = 0x02, // address + word count of the words streamed before with SendStreamWord
    AddressCountExtra = 0x03,
    SelectBank1 = 0x04, // device codes above 65 only
    SelectBank2 = 0x05, // device codes above 65 only
};

struct FlashFields {
    std::uint16_t sectors = 0; // Erase
    std::uint32_t address = 0; // Program, AddressCountExtra (6 hex digits)
    std::uint16_t count = 0; // Program, AddressCountExtra
    std::uint16_t extra = 0; // AddressCountExtra
};

// Reply time-out of each flash operation.
Milliseconds flashReplyTimeout(FlashOp op);

class CPodLink {
public:
    explicit CPodLink(TransportFactory& factory);
    ~CPodLink();
    CPodLink(const CPodLink&) = delete;
    CPodLink& operator=(const CPodLink&) = delete;

    // --- transport ---

    // Loads the USB driver library (once; kept for the life of the object).
    bool LoadDriver();
    // Searches the USB bus for a POD; first accepted description wins. Needs a loaded driver.
    bool FindUsbPod();
    // Opens the chosen transport, initialises the POD (`I`) and sets its target baud (`K` baudCode).
    // Already connected: Connected at once, nothing reopened.
    ConnectCode Connect(int comPort, int baudCode, bool useUsb);
    // Closes the open transport. False (transport kept) when the driver refused to close.
    bool Disconnect();
    bool WriteFrame(const std::uint8_t* bytes, std::size_t length, Milliseconds timeout);
    // Exactly count bytes. Fails when no byte came within replyTimeout() + timeout, or when a begun reply
    // stayed silent for replyTimeout() + the inter-byte time-out.
    bool ReadBytes(std::uint8_t* buffer, std::size_t count, Milliseconds timeout);
    void Purge();

    // --- POD commands ---

    bool SetTxDelay(std::uint8_t index);
    // Firmware version as major*10+minor; 0 on any failure.
    std::uint8_t QueryFirmwareVersion();
    bool SetTargetBaud(int baudCode);
    bool Ping();
    // Sends the address, then the mode letter. Modes R, r (16-bit) and L, l (32-bit) read a value into
    // `value`; any other letter reads nothing, leaves value 0 and succeeds. Two attempts.
    bool ReadWord(std::uint32_t address, char mode, std::uint32_t& value);
    // The mode letter only: the next word after the previous read. Two attempts; the second sends the
    // address of the expected word first, since the POD may have advanced on the failed one. Without a
    // read before it (or after a write or reconnect) there is no expected address and no second attempt.
    bool ReadNext(char mode, std::uint32_t& value);
    // Width 1 (16-bit) or 2 (32-bit). Not retried.
    bool WriteWord(int width, std::uint32_t address, std::uint32_t value);
    bool EnterBootMode();
    bool ResetTarget();
    bool AutoBaudLf240x();
    bool AutoBaudF28x();
    // Kinds U, V, X (acknowledged), S (streamed), Y, Z (close a streamed block, acknowledged).
    bool SendBootWord(char kind, std::uint16_t value, Milliseconds timeout);
    // Two kind-U words: the high half first.
    bool SendBoot32(std::uint32_t value, Milliseconds timeout);
    // `J` words for the flash algorithm; `last` flushes the batch. Nothing is read.
    bool SendStreamWord(std::uint16_t value, bool last);
    bool FlashCommand(FlashOp op, int deviceCode, const FlashFields& fields = {});
    // Data-flash records 71 to 74.
    bool DataFlashInit(std::uint8_t dataFlashType);
    bool DataFlashEraseSector(std::uint32_t sector);
    // At most 256 bytes; a shorter page is padded with 0xFF.
    bool DataFlashProgramPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data);
    bool DataFlashVerifyPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data);

    // --- state ---

    bool connected() const { return connected_; }
    bool usingUsb() const { return useUsb_; }
    bool driverLoaded() const { return driverLoaded_; }
    bool usbPodFound() const { return usbPodFound_; }
    PodKind podKind() const { return podKind_; }
    const std::string& usbDescription() const { return usbDescription_; }
    // The reply bytes of the last command.
    std::string_view lastReply() const { return lastReply_; }
    // The port of the current or last connection: the serial device, or "USB (<description>)".
    const std::string& portName() const { return portName_; }
    // Why the last frame failed, for the user's log ("no reply from the POD on /dev/ttyUSB0 within 400 ms");
    // empty after a frame that went through.
    const std::string& lastFailure() const { return lastFailure_; }
    // The clock of the transports (the factory's); the settling pauses of the protocol and of the programming
    // runs pass on it (replies are waited for by the transport).
    core::WaitClock& clock() const { return clock_; }
    void pause(Milliseconds duration) { clock_.sleepFor(duration); }
    // Value writes are recorded here (null: not recorded).
    void setActivityLog(const core::ActivityLog* log) { activityLog_ = log; }

    Milliseconds replyTimeout() const { return replyTimeout_; }
    void setReplyTimeout(Milliseconds timeout) { replyTimeout_ = timeout; }
    std::uint8_t txDelayIndex() const { return txDelayIndex_; }
    void setTxDelayIndex(std::uint8_t index) { txDelayIndex_ = index; }

private:
    bool send(std::string_view frame, Milliseconds drainTimeout);
    bool sendFrame(std::string_view frame) { return send(frame, replyTimeout_); }
    bool receive(std::size_t count, Milliseconds timeout);
    bool expectAck(Milliseconds timeout);
    bool fail(std::string cause);
    bool command(std::string_view frame, Milliseconds ackTimeout);
    bool readAttempt(std::optional<std::uint32_t> address, char mode, std::uint32_t& value);
    bool readWithRetry(std::optional<std::uint32_t> address, char mode, std::uint32_t& value);
    bool controlLine(char letter);
    bool sendStreamed(std::string_view frame);
    bool sendClosing(std::string_view frame);
    bool flushStream();
    bool strayByteWaiting();
    bool dataFlashPage(
        std::uint8_t type, std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data);
    bool openTransport(int comPort, bool useUsb, int usbBaud);
    void closeTransport();
    bool reopenUsbAtFallback();

    TransportFactory& factory_;
    core::WaitClock& clock_;
    std::unique_ptr<Transport> transport_;
    bool driverLoaded_ = false;
    bool usbPodFound_ = false;
    bool useUsb_ = false;
    bool connected_ = false;
    PodKind podKind_ = PodKind::UsbPod;
    std::string usbDescription_;
    Milliseconds replyTimeout_ = kDefaultReplyTimeout;
    std::uint8_t txDelayIndex_ = 3;
    std::string lastReply_;
    std::string portName_;
    std::string lastFailure_;
    const core::ActivityLog* activityLog_ = nullptr;
    std::string usbStream_;
    // Where the POD's read address stands after the last successful read; unknown after anything else
    // that may move it.
    std::optional<std::uint32_t> nextReadAddress_;
};

} // namespace lumetra::link
