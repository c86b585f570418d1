#ifdef _WIN32

#include "link/win32_transport_factory.h"

#include "link/win32_serial_transport.h"

namespace lumetra::link {

std::string Win32TransportFactory::serialPortName(int comPort)
{
    return options_.serialDevice ? *options_.serialDevice : TransportFactory::serialPortName(comPort);
}

std::unique_ptr<Transport> Win32TransportFactory::openSerial(int comPort)
{
    lastSerialOpenFailure_ = {};
    return Win32SerialTransport::open(
        comPort, options_.serialDevice.value_or(""), options_.serialWriteTimeout, &lastSerialOpenFailure_);
}

} // namespace lumetra::link

#endif
