// Transports of Windows: "\\.\COM<n>" for the serial POD, FTD2XX.dll loaded at run time for the USB POD.
#pragma once

#ifdef _WIN32

#include "link/d2xx_transport_factory.h"

#include <memory>
#include <optional>
#include <string>

namespace lumetra::link {

class Win32TransportFactory final : public D2xxTransportFactory {
public:
    struct Options {
        // When set, every serial open uses this device path whatever the COM number.
        std::optional<std::string> serialDevice;
        // The D2XX library to load: a file name for the loader's search, or a path.
        std::string usbLibrary = D2xxLibrary::defaultName();
        // The write time-out constant of an opened COM port; writes still wait for the drain of each frame.
        Milliseconds serialWriteTimeout {200};
    };

    Win32TransportFactory()
        : Win32TransportFactory(Options {})
    {
    }
    explicit Win32TransportFactory(Options options)
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
