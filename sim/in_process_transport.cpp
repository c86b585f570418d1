#include "sim/in_process_transport.h"

namespace lumetra::sim {

namespace {

constexpr int kSerialBaud = 115200;

} // namespace

InProcessTransport::InProcessTransport(PodSimulator& simulator) : simulator_(simulator) {}

bool InProcessTransport::write(const std::uint8_t* data, std::size_t size, link::Milliseconds drainTimeout)
{
    if (!open_ || simulator_.hungUp()) {
        return false;
    }
    core::WaitClock& clock = simulator_.clock();
    const Clock::time_point start = clock.now();
    const Clock::time_point drained = simulator_.hostWrite(data, size);
    if (drained - start > drainTimeout) {
        clock.sleepUntil(start + drainTimeout);
        return false;
    }
    clock.sleepUntil(drained);
    return !simulator_.hungUp();
}

bool InProcessTransport::read(std::uint8_t* buffer, std::size_t count, link::Milliseconds firstByteTimeout,
                              link::Milliseconds interByteTimeout)
{
    if (!open_) {
        return false;
    }
    const core::WaitClock& clock = simulator_.clock();
    std::size_t received = 0;
    Clock::time_point deadline = clock.now() + firstByteTimeout;
    while (received < count) {
        if (!simulator_.waitForReply(deadline)) {
            return false;
        }
        received += simulator_.hostRead(buffer + received, count - received);
        deadline = clock.now() + interByteTimeout;
    }
    return true;
}

std::optional<std::size_t> InProcessTransport::bytesWaiting()
{
    if (!open_) {
        return std::nullopt;
    }
    return simulator_.pendingReplyBytes();
}

void InProcessTransport::purge()
{
    if (open_) {
        simulator_.purgeHost();
    }
}

bool InProcessTransport::close()
{
    purge();
    open_ = false;
    return true;
}

InProcessTransportFactory::InProcessTransportFactory(PodSimulator& simulator, InProcessPorts ports)
    : simulator_(simulator), ports_(std::move(ports))
{
}

std::unique_ptr<link::Transport> InProcessTransportFactory::openSerial(int /*comPort*/)
{
    if (!ports_.serialPortPresent) {
        return nullptr;
    }
    simulator_.setHostBaud(kSerialBaud);
    simulator_.purgeHost();
    return std::make_unique<InProcessTransport>(simulator_);
}

bool InProcessTransportFactory::loadUsbDriver()
{
    driverLoaded_ = driverLoaded_ || ports_.usbDriverPresent;
    return driverLoaded_;
}

std::optional<std::vector<std::string>> InProcessTransportFactory::listUsbDescriptions()
{
    if (!driverLoaded_) {
        return std::nullopt;
    }
    std::vector<std::string> descriptions = ports_.otherUsbDescriptions;
    if (ports_.usbPodAttached) {
        descriptions.push_back(simulator_.config().usbDescription);
    }
    return descriptions;
}

std::unique_ptr<link::Transport> InProcessTransportFactory::openUsb(const std::string& description, int baud,
                                                                    link::Milliseconds /*timeout*/)
{
    if (!driverLoaded_ || !ports_.usbPodAttached || description != simulator_.config().usbDescription) {
        return nullptr;
    }
    usbOpenBauds_.push_back(baud);
    simulator_.setHostBaud(baud);
    simulator_.purgeHost();
    return std::make_unique<InProcessTransport>(simulator_);
}

} // namespace lumetra::sim

