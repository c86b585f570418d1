#ifndef _WIN32

#include "link/posix_transport_factory.h"

#include "link/d2xx_transport.h"
#include "link/posix_serial_transport.h"

#include <sys/stat.h>

namespace lumetra::link {

std::string serialDeviceForComPort(int comPort, const std::function<bool(const std::string&)>& exists)
{
    if (comPort < 1)
        return {};
    const std::string index = std::to_string(comPort - 1);
    const std::string usbSerial = "/dev/ttyUSB" + index;
    return exists(usbSerial) ? usbSerial : "/dev/ttyS" + index;
}

std::string PosixTransportFactory::serialPortName(int comPort)
{
    return options_.serialDevice ? *options_.serialDevice
                                 : serialDeviceForComPort(comPort, [](const std::string& path) {
                                       struct stat info { };
                                       return ::stat(path.c_str(), &info) == 0;
                                   });
}

std::unique_ptr<Transport> PosixTransportFactory::openSerial(int comPort)
{
    const std::string device = serialPortName(comPort);
    if (device.empty())
        return nullptr;
    return PosixSerialTransport::open(device);
}

bool PosixTransportFactory::loadUsbDriver()
{
    if (!usbLibrary_)
        usbLibrary_ = D2xxLibrary::load(options_.usbLibrary);
    return usbLibrary_ != nullptr;
}

std::optional<std::vector<std::string>> PosixTransportFactory::listUsbDescriptions()
{
    if (!usbLibrary_)
        return std::nullopt;
    return listD2xxDescriptions(*usbLibrary_);
}

std::unique_ptr<Transport> PosixTransportFactory::openUsb(
    const std::string& description, int baud, Milliseconds timeout)
{
    if (!usbLibrary_)
        return nullptr;
    return D2xxTransport::open(usbLibrary_, description, baud, timeout);
}

} // namespace lumetra::link

#endif
