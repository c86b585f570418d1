// Transports over an in-process PodSimulator: the serial port and the USB device both reach the same POD.
#pragma once

#include "sim/pod_simulator.h"

#include "link/transport.h"

#include <string>
#include <vector>

namespace lumetra::sim {

class InProcessTransport : public link::Transport {
public:
    explicit InProcessTransport(PodSimulator& simulator);

    bool write(const std::uint8_t* data, std::size_t size, link::Milliseconds drainTimeout) override;
    bool read(std::uint8_t* buffer, std::size_t count, link::Milliseconds firstByteTimeout,
              link::Milliseconds interByteTimeout) override;
    std::optional<std::size_t> bytesWaiting() override;
    void purge() override;
    bool close() override;

private:
    PodSimulator& simulator_;
    bool open_ = true;
};

// What the simulated machine offers besides the POD.
struct InProcessPorts {
    bool serialPortPresent = true;
    bool usbDriverPresent = true;
    bool usbPodAttached = true;
    // Other USB devices listed before the POD.
    std::vector<std::string> otherUsbDescriptions{};
};

class InProcessTransportFactory : public link::TransportFactory {
public:
    explicit InProcessTransportFactory(PodSimulator& simulator, InProcessPorts ports = {});

    std::unique_ptr<link::Transport> openSerial(int comPort) override;
    bool loadUsbDriver() override;
    std::optional<std::vector<std::string>> listUsbDescriptions() override;
    std::unique_ptr<link::Transport> openUsb(const std::string& description, int baud,
                                             link::Milliseconds timeout) override;
    core::WaitClock& clock() override { return simulator_.clock(); }

    InProcessPorts& ports() { return ports_; }
    // The bauds of every USB open, in order.
    const std::vector<int>& usbOpenBauds() const { return usbOpenBauds_; }

private:
    PodSimulator& simulator_;
    InProcessPorts ports_;
    bool driverLoaded_ = false;
    std::vector<int> usbOpenBauds_;
};

} // namespace lumetra::sim
