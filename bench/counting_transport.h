// A serial transport factory for the benchmarks that counts the bytes crossing the line in both directions,
// so that measured times can be set against the wire time of exactly the bytes sent and received.
#pragma once

#include "link/posix_transport_factory.h"
#include "link/transport.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::bench {

class CountingTransport final : public link::Transport {
public:
    CountingTransport(std::unique_ptr<link::Transport> inner, std::uint64_t& bytes)
        : inner_(std::move(inner))
        , bytes_(bytes)
    {
    }

    bool write(const std::uint8_t* data, std::size_t size, link::Milliseconds drainTimeout) override
    {
        bytes_ += size;
        return inner_->write(data, size, drainTimeout);
    }
    bool read(std::uint8_t* buffer, std::size_t count, link::Milliseconds firstByteTimeout,
        link::Milliseconds interByteTimeout) override
    {
        const bool complete = inner_->read(buffer, count, firstByteTimeout, interByteTimeout);
        bytes_ += count;
        return complete;
    }
    std::optional<std::size_t> bytesWaiting() override { return inner_->bytesWaiting(); }
    void purge() override { inner_->purge(); }
    bool close() override { return inner_->close(); }

private:
    std::unique_ptr<link::Transport> inner_;
    std::uint64_t& bytes_;
};

class CountingSerialFactory final : public link::TransportFactory {
public:
    explicit CountingSerialFactory(const std::string& device)
        : inner_({device, link::D2xxLibrary::defaultName()})
    {
    }

    std::unique_ptr<link::Transport> openSerial(int comPort) override
    {
        auto transport = inner_.openSerial(comPort);
        return transport ? std::make_unique<CountingTransport>(std::move(transport), bytes) : nullptr;
    }
    bool loadUsbDriver() override { return false; }
    std::optional<std::vector<std::string>> listUsbDescriptions() override { return std::nullopt; }
    std::unique_ptr<link::Transport> openUsb(const std::string&, int, link::Milliseconds) override { return nullptr; }

    std::uint64_t bytes = 0;

private:
    link::PosixTransportFactory inner_;
};

} // namespace lumetra::bench
