// The USB half of a platform's transport factory: the D2XX library, loaded once on first use, and its devices.
#pragma once

#include "link/d2xx_library.h"
#include "link/transport.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::link {

class D2xxTransportFactory : public TransportFactory {
public:
    bool loadUsbDriver() override;
    std::optional<std::vector<std::string>> listUsbDescriptions() override;
    std::unique_ptr<Transport> openUsb(const std::string& description, int baud, Milliseconds timeout) override;

protected:
    // `library`: a file name for the loader's search, or a path.
    explicit D2xxTransportFactory(std::string library)
        : libraryName_(std::move(library))
    {
    }

private:
    std::string libraryName_;
    std::shared_ptr<const D2xxLibrary> library_;
};

} // namespace lumetra::link
