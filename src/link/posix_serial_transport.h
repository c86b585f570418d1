// Serial port on a POSIX system (a tty device or a pseudo-terminal): 115200 8N1, raw, no flow control.
#pragma once

#ifndef _WIN32

#include "link/transport.h"

#include <memory>
#include <string>

namespace lumetra::link {

class PosixSerialTransport final : public Transport {
public:
    // Opens the device for exclusive use and configures it; nullptr when it cannot be opened, is not a terminal
    // or is held by another program, and then why in `failure` when given.
    static std::unique_ptr<PosixSerialTransport> open(const std::string& devicePath, OpenFailure* failure = nullptr);

    ~PosixSerialTransport() override;
    PosixSerialTransport(const PosixSerialTransport&) = delete;
    PosixSerialTransport& operator=(const PosixSerialTransport&) = delete;

    bool write(const std::uint8_t* data, std::size_t size, Milliseconds drainTimeout) override;
    bool read(std::uint8_t* buffer, std::size_t count, Milliseconds firstByteTimeout,
              Milliseconds interByteTimeout) override;
    std::optional<std::size_t> bytesWaiting() override;
    void purge() override;
    bool close() override;

private:
    explicit PosixSerialTransport(int fd) : fd_(fd) {}

    bool waitForOutputDrained(std::chrono::steady_clock::time_point deadline);

    int fd_;
};

} // namespace lumetra::link

#endif
