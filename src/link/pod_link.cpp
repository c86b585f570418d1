// CPodLink: finding, opening and closing the transport, and the raw frame and reply operations.
#include "link/pod_link.h"

#include "link/link_texts.h"
#include "link/pod_frames.h"

#include <array>

namespace lumetra::link {

namespace {

struct AcceptedDescription {
    std::string_view text;
    PodKind kind;
};

constexpr std::array<AcceptedDescription, 3> kAcceptedDescriptions {{
    {"USB POD", PodKind::UsbPod},
    {"Vestral_UTA POD", PodKind::UtaPod},
    {"Korimat USBCOM", PodKind::UtaPod},
}};

constexpr Milliseconds kFallbackPause {10};

// "/dev/ttyUSB0 포트를 다른 프로그램이 사용하고 있읍니다: Device or resource busy", "COM3 포트를 열지 못했읍니다: ...".
std::string serialOpenFailureText(const std::string& portName, const OpenFailure& failure)
{
    std::string text = failure.inUse ? portInUseCause(portName) : portNotOpenedCause(portName, 0);
    if (failure.cause)
        text += ": " + failure.cause.message();
    return text;
}

} // namespace

std::string_view connectMessage(ConnectCode code)
{
    switch (code) {
    case ConnectCode::Connected:
        return {};
    case ConnectCode::PortNotOpened:
        return "통신 포트를 여는데 실패했읍니다.";
    case ConnectCode::InitFailed:
        return "POD를 초기화하는데 실패했읍니다.";
    case ConnectCode::BaudRefused:
        return "POD의 통신 속도를 설정하는데 실패했읍니다.";
    }
    return {};
}

CPodLink::CPodLink(TransportFactory& factory)
    : factory_(factory)
    , clock_(factory.clock())
{
}

CPodLink::~CPodLink()
{
    if (transport_) {
        transport_->purge();
        transport_->close();
    }
}

bool CPodLink::LoadDriver()
{
    if (!driverLoaded_) {
        driverLoaded_ = factory_.loadUsbDriver();
    }
    return driverLoaded_;
}

bool CPodLink::FindUsbPod()
{
    usbDescription_.clear();
    usbPodFound_ = false;
    if (!driverLoaded_) {
        return false;
    }
    const auto descriptions = factory_.listUsbDescriptions();
    if (!descriptions) {
        return false;
    }
    for (const std::string& description : *descriptions) {
        for (const AcceptedDescription& accepted : kAcceptedDescriptions) {
            if (description == accepted.text) {
                usbDescription_ = description;
                podKind_ = accepted.kind;
                usbPodFound_ = true;
                return true;
            }
        }
    }
    return false;
}

bool CPodLink::openTransport(int comPort, bool useUsb, int usbBaud)
{
    useUsb_ = useUsb;
    usbStream_.clear();
    nextReadAddress_.reset();
    lastFailure_.clear();
    if (useUsb) {
        portName_ = "USB (" + usbDescription_ + ")";
        if (!driverLoaded_ || !usbPodFound_) {
            return fail(driverLoaded_ ? usbPodNotFoundCause() : usbDriverNotLoadedCause());
        }
        transport_ = factory_.openUsb(usbDescription_, usbBaud, replyTimeout_);
        if (!transport_) {
            return fail(portNotOpenedCause(portName_, usbBaud));
        }
        return true;
    }
    portName_ = factory_.serialPortName(comPort);
    transport_ = factory_.openSerial(comPort);
    if (!transport_) {
        return fail(serialOpenFailureText(portName_, factory_.lastSerialOpenFailure()));
    }
    return true;
}

void CPodLink::closeTransport()
{
    if (transport_) {
        transport_->close();
        transport_.reset();
    }
    usbStream_.clear();
}

bool CPodLink::reopenUsbAtFallback()
{
    closeTransport();
    pause(kFallbackPause);
    if (!openTransport(0, true, kUsbFallbackBaud)) {
        return false;
    }
    if (!SetTxDelay(txDelayIndex_)) {
        closeTransport();
        return false;
    }
    return true;
}

ConnectCode CPodLink::Connect(int comPort, int baudCode, bool useUsb)
{
    if (connected_) {
        return ConnectCode::Connected;
    }
    const int usbBaud = podKind_ == PodKind::UtaPod ? kUtaPodBaud : kUsbPodBaud;
    if (!openTransport(comPort, useUsb, usbBaud)) {
        return ConnectCode::PortNotOpened;
    }
    const bool fallBack = useUsb && podKind_ == PodKind::UtaPod;
    if (!SetTxDelay(txDelayIndex_)) {
        if (!fallBack || !reopenUsbAtFallback()) {
            closeTransport();
            return ConnectCode::InitFailed;
        }
    }
    if (!SetTargetBaud(baudCode)) {
        if (!fallBack) {
            closeTransport();
            return ConnectCode::BaudRefused;
        }
        if (!reopenUsbAtFallback()) {
            closeTransport();
            return ConnectCode::InitFailed;
        }
    }
    pause(Milliseconds {1});
    connected_ = true;
    return ConnectCode::Connected;
}

bool CPodLink::Disconnect()
{
    if (transport_) {
        transport_->purge();
        if (!transport_->close()) {
            return false;
        }
        transport_.reset();
    }
    usbStream_.clear();
    connected_ = false;
    return true;
}

bool CPodLink::WriteFrame(const std::uint8_t* bytes, std::size_t length, Milliseconds timeout)
{
    return transport_ && transport_->write(bytes, length, timeout);
}

bool CPodLink::ReadBytes(std::uint8_t* buffer, std::size_t count, Milliseconds timeout)
{
    // Each platform read blocks for the reply time-out before the program counts any silence, so a wait
    // ends one reply time-out after the allowed silence would: before the first byte, `timeout`; after it,
    // the inter-byte time-out.
    return transport_ && transport_->read(buffer, count, replyTimeout_ + timeout, replyTimeout_ + kInterByteTimeout);
}

void CPodLink::Purge()
{
    if (transport_) {
        transport_->purge();
    }
    usbStream_.clear();
}

bool CPodLink::fail(std::string cause)
{
    lastFailure_ = std::move(cause);
    return false;
}

bool CPodLink::send(std::string_view frame, Milliseconds drainTimeout)
{
    lastReply_.clear();
    lastFailure_.clear();
    if (!WriteFrame(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size(), drainTimeout)) {
        return fail(sendNotFinishedCause(portName_, drainTimeout.count()));
    }
    return true;
}

bool CPodLink::receive(std::size_t count, Milliseconds timeout)
{
    // Replies are printable ASCII, so the bytes that came are the ones before the first NUL.
    lastReply_.assign(count, '\0');
    if (ReadBytes(reinterpret_cast<std::uint8_t*>(lastReply_.data()), count, timeout)) {
        return true;
    }
    const std::size_t arrived = lastReply_.find('\0');
    lastReply_.clear();
    if (arrived == 0) {
        return fail(noReplyCause(portName_, (replyTimeout_ + timeout).count()));
    }
    return fail(replyCutCause(portName_, arrived, count));
}

bool CPodLink::expectAck(Milliseconds timeout)
{
    if (!receive(1, timeout)) {
        return false;
    }
    if (lastReply_[0] != kAck) {
        return fail(wrongAnswerCause(portName_, *hexField(static_cast<std::uint8_t>(lastReply_[0]), 2)));
    }
    return true;
}

bool CPodLink::command(std::string_view frame, Milliseconds ackTimeout)
{
    return sendFrame(frame) && expectAck(ackTimeout);
}

} // namespace lumetra::link
