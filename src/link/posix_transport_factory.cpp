#ifndef _WIN32

#include "link/posix_transport_factory.h"

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
    lastSerialOpenFailure_ = {};
    const std::string device = serialPortName(comPort);
    if (device.empty())
        return nullptr;
    return PosixSerialTransport::open(device, &lastSerialOpenFailure_);
}

} // namespace lumetra::link

#endif
