// Serial port on Windows ("\\.\COM<n>"): 115200 8N1, no flow control.
#pragma once

#ifdef _WIN32

#include "link/transport.h"

#include <memory>
#include <string>

namespace lumetra::link {

class Win32SerialTransport final : public Transport {
public:
    // Opens "\\.\COM<comPort>" (or devicePath when not empty) for exclusive use and configures it; nullptr
    // when any step fails, and then why in `failure` when given.
    static std::unique_ptr<Win32SerialTransport> open(int comPort, const std::string& devicePath,
                                                      Milliseconds replyTimeout, OpenFailure* failure = nullptr);

    ~Win32SerialTransport() override;
    Win32SerialTransport(const Win32SerialTransport&) = delete;
    Win32SerialTransport& operator=(const Win32SerialTransport&) = delete;

    bool write(const std::uint8_t* data, std::size_t size, Milliseconds drainTimeout) override;
    bool read(std::uint8_t* buffer, std::size_t count, Milliseconds firstByteTimeout,
              Milliseconds interByteTimeout) override;
    std::optional<std::size_t> bytesWaiting() override;
    void purge() override;
    bool close() override;

private:
    Win32SerialTransport(void* handle, std::uint32_t replyTimeoutMs);

    bool setReadWait(std::uint32_t milliseconds);

    void* handle_;
    std::uint32_t replyTimeoutMs_;
    std::uint32_t readWaitMs_ = 0;
};

} // namespace lumetra::link

#endif
