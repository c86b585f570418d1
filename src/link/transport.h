// Byte transports under CPodLink: a POSIX or Win32 serial port, a D2XX USB device, or the simulator.
#pragma once

#include "core/wait_clock.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace lumetra::link {

using Milliseconds = std::chrono::milliseconds;

// An open byte pipe to the POD. Every call blocks the caller; nothing throws.
class Transport {
public:
    virtual ~Transport() = default;

    // Writes all bytes and waits until the output queue has drained. False when the write failed or the
    // queue was not empty after drainTimeout.
    virtual bool write(const std::uint8_t* data, std::size_t size, Milliseconds drainTimeout) = 0;

    // Reads exactly count bytes. The first byte must arrive within firstByteTimeout; once a reply has begun,
    // a silence of interByteTimeout ends it. Event-driven: returns the moment the last byte arrives.
    // False on a platform error or a short reply (the bytes that did arrive are in buffer).
    virtual bool read(
        std::uint8_t* buffer, std::size_t count, Milliseconds firstByteTimeout, Milliseconds interByteTimeout)
        = 0;

    // Bytes received and not yet read; nullopt on a platform error.
    virtual std::optional<std::size_t> bytesWaiting() = 0;

    // Discards both directions.
    virtual void purge() = 0;

    // Purges and closes. False when the driver refused (the transport then stays open).
    virtual bool close() = 0;
};

// Why a port could not be opened.
struct OpenFailure {
    bool inUse = false; // another program has the port
    std::error_code cause; // the system's reason, when it gave one
};

// Opens transports for CPodLink::Connect. One implementation per platform, one for the simulator.
class TransportFactory {
public:
    virtual ~TransportFactory() = default;

    // Serial port "COM<comPort>" (1-based), or the device path this factory was configured with.
    // nullptr when the port cannot be opened and configured (115200 8N1, no flow control).
    virtual std::unique_ptr<Transport> openSerial(int comPort) = 0;
    // How openSerial names that port to the user: its device path where the factory knows it.
    virtual std::string serialPortName(int comPort) { return "COM" + std::to_string(comPort); }
    // Why the last openSerial gave nullptr, as far as the platform said.
    virtual OpenFailure lastSerialOpenFailure() const { return {}; }

    // Loads the USB driver library once; true when it is (or already was) loaded.
    virtual bool loadUsbDriver() = 0;

    // Descriptions of the attached USB devices in bus order; nullopt when the driver is not loaded or the
    // listing failed.
    virtual std::optional<std::vector<std::string>> listUsbDescriptions() = 0;

    // Opens the USB device with this description: reset, latency timer 1 ms, baud, 8N1, no flow control,
    // read/write time-outs, purge. nullptr at the first failing step.
    virtual std::unique_ptr<Transport> openUsb(const std::string& description, int baud, Milliseconds timeout) = 0;

    // The clock its transports wait in, and with them the link: the steady clock, or the simulator's.
    virtual core::WaitClock& clock() { return core::steadyWaitClock(); }
};

} // namespace lumetra::link
