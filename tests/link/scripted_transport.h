// A transport and factory whose replies a test scripts: every write is recorded, a responder turns each
// written frame into reply bytes, and every read takes what is queued (never waits).
#pragma once

#include "link/transport.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lumetra::link::test {

struct ReadCall {
    std::size_t count;
    Milliseconds firstByteTimeout;
    Milliseconds interByteTimeout;
};

struct Wire {
    // Gets each written frame and the baud of the open transport (0 for serial); returns the reply bytes.
    std::function<std::string(const std::string& written, int baud)> respond = [](const std::string&, int) {
        return std::string();
    };
    // Writes fail while this returns true.
    std::function<bool(const std::string& written, int baud)> failWrite = [](const std::string&, int) {
        return false;
    };
    std::vector<std::string> writes;
    std::vector<Milliseconds> drainTimeouts;
    std::vector<ReadCall> reads;
    std::string pending;
    int purges = 0;
    int closes = 0;
    bool refuseClose = false;

    // The frames written, joined, for compact assertions.
    std::string written() const
    {
        std::string all;
        for (const std::string& w : writes) {
            all += w;
        }
        return all;
    }
};

class ScriptedTransport : public Transport {
public:
    ScriptedTransport(Wire& wire, int baud) : wire_(wire), baud_(baud) {}

    bool write(const std::uint8_t* data, std::size_t size, Milliseconds drainTimeout) override
    {
        const std::string bytes(reinterpret_cast<const char*>(data), size);
        wire_.writes.push_back(bytes);
        wire_.drainTimeouts.push_back(drainTimeout);
        if (wire_.failWrite(bytes, baud_)) {
            return false;
        }
        wire_.pending += wire_.respond(bytes, baud_);
        return true;
    }

    bool read(std::uint8_t* buffer, std::size_t count, Milliseconds firstByteTimeout,
              Milliseconds interByteTimeout) override
    {
        wire_.reads.push_back({count, firstByteTimeout, interByteTimeout});
        const std::size_t n = std::min(count, wire_.pending.size());
        std::copy_n(wire_.pending.begin(), n, buffer);
        wire_.pending.erase(0, n);
        return n == count;
    }

    std::optional<std::size_t> bytesWaiting() override { return wire_.pending.size(); }

    void purge() override
    {
        ++wire_.purges;
        wire_.pending.clear();
    }

    bool close() override
    {
        ++wire_.closes;
        return !wire_.refuseClose;
    }

private:
    Wire& wire_;
    int baud_;
};

struct OpenCall {
    bool usb;
    int baud;  // 0 for serial
    std::string description;
};

class ScriptedFactory : public TransportFactory {
public:
    explicit ScriptedFactory(Wire& wire) : wire_(wire) {}

    bool driverLoads = true;
    bool serialOpens = true;
    std::optional<std::vector<std::string>> descriptions = std::vector<std::string>{"USB POD"};
    std::function<bool(int baud)> usbOpens = [](int) { return true; };
    std::vector<OpenCall> opens;

    std::unique_ptr<Transport> openSerial(int comPort) override
    {
        opens.push_back({false, 0, "COM" + std::to_string(comPort)});
        return serialOpens ? std::make_unique<ScriptedTransport>(wire_, 0) : nullptr;
    }

    bool loadUsbDriver() override { return driverLoads; }

    std::optional<std::vector<std::string>> listUsbDescriptions() override { return descriptions; }

    std::unique_ptr<Transport> openUsb(const std::string& description, int baud, Milliseconds) override
    {
        opens.push_back({true, baud, description});
        return usbOpens(baud) ? std::make_unique<ScriptedTransport>(wire_, baud) : nullptr;
    }

private:
    Wire& wire_;
};

// STX + body + ETX.
inline std::string framed(const std::string& body)
{
    return "\x02" + body + "\x03";
}

} // namespace lumetra::link::test
