// A USB POD reached through the D2XX library.
#pragma once

#include "link/d2xx_library.h"
#include "link/transport.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::link {

// Descriptions of the attached devices in bus order (an entry the library could not describe is empty);
// nullopt when the listing failed.
std::optional<std::vector<std::string>> listD2xxDescriptions(const D2xxLibrary& library);

class D2xxTransport final : public Transport {
public:
    // Opens by description, resets, forces the 1 ms latency timer, sets baud, 8N1, no flow control and the
    // read/write time-outs, and purges. nullptr at the first failing step (the device is closed again).
    static std::unique_ptr<D2xxTransport> open(std::shared_ptr<const D2xxLibrary> library,
                                               const std::string& description, int baud, Milliseconds timeout);

    ~D2xxTransport() override;
    D2xxTransport(const D2xxTransport&) = delete;
    D2xxTransport& operator=(const D2xxTransport&) = delete;

    bool write(const std::uint8_t* data, std::size_t size, Milliseconds drainTimeout) override;
    bool read(std::uint8_t* buffer, std::size_t count, Milliseconds firstByteTimeout,
              Milliseconds interByteTimeout) override;
    std::optional<std::size_t> bytesWaiting() override;
    void purge() override;
    bool close() override;

private:
    D2xxTransport(std::shared_ptr<const D2xxLibrary> library, d2xx::Handle handle, int baud, d2xx::Dword timeout);

    bool setReadTimeout(Milliseconds timeout);

    std::shared_ptr<const D2xxLibrary> library_;
    const D2xxCalls& ft_;
    d2xx::Handle handle_;
    int baud_;
    d2xx::Dword writeTimeoutMs_;
    d2xx::Dword readTimeoutMs_;
};

} // namespace lumetra::link
