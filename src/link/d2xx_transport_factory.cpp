#include "link/d2xx_transport_factory.h"

#include "link/d2xx_transport.h"

namespace lumetra::link {

bool D2xxTransportFactory::loadUsbDriver()
{
    if (!library_)
        library_ = D2xxLibrary::load(libraryName_);
    return library_ != nullptr;
}

std::optional<std::vector<std::string>> D2xxTransportFactory::listUsbDescriptions()
{
    if (!library_)
        return std::nullopt;
    return listD2xxDescriptions(*library_);
}

std::unique_ptr<Transport> D2xxTransportFactory::openUsb(const std::string& description, int baud, Milliseconds timeout)
{
    if (!library_)
        return nullptr;
    return D2xxTransport::open(library_, description, baud, timeout);
}

} // namespace lumetra::link
