// Transports of a POSIX system: tty devices for the serial POD, the D2XX library for the USB POD.
#pragma once

#ifndef _WIN32

#include "link/d2xx_transport_factory.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace lumetra::link {

// The device of "COM<comPort>": /dev/ttyUSB<comPort-1> when that exists (a USB serial adapter), else
// /dev/ttyS<comPort-1>. Empty for a port number below 1.
std::string serialDeviceForComPort(int comPort, const std::function<bool(const std::string&)>& exists);

class PosixTransportFactory final : public D2xxTransportFactory {
public:
    struct Options {
        // When set, every serial open uses this device (a tty or a pseudo-terminal) whatever the COM number.
        std::optional<std::string> serialDevice;
        // The D2XX library to load: a file name for the loader's search, or a path.
        std::string usbLibrary = D2xxLibrary::defaultName();
    };

    PosixTransportFactory()
        : PosixTransportFactory(Options {})
    {
    }
    explicit PosixTransportFactory(Options options)
        : D2xxTransportFactory(options.usbLibrary)
        , options_(std::move(options))
    {
    }

    std::unique_ptr<Transport> openSerial(int comPort) override;
    std::string serialPortName(int comPort) override;
    OpenFailure lastSerialOpenFailure() const override { return lastSerialOpenFailure_; }

private:
    Options options_;
    OpenFailure lastSerialOpenFailure_;
};

} // namespace lumetra::link

#endif
