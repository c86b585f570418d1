// Control side of the stand-in D2XX library that the link tests load at run time in place of the driver.
// The test hands it the devices to list (each backed by a byte-stream device such as the POD simulator),
// and reads back a record of the driver calls the link made.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::test::standin {

using Clock = std::chrono::steady_clock;

// The far end of one USB device. Called with the stand-in's lock held, from the caller's thread.
class Device {
public:
    virtual ~Device() = default;
    virtual void setBaud(int baud) = 0;
    // Hands bytes to the device; returns when the last of them has left the host, or nothing when the
    // device is gone.
    virtual bool write(const std::uint8_t* data, std::size_t size, Clock::time_point& lastByteSent) = 0;
    // Reply bytes that have arrived by now.
    virtual std::size_t read(std::uint8_t* out, std::size_t max) = 0;
    virtual std::size_t waiting() = 0;
    // Blocks until a byte has arrived or the deadline has passed; true when one has.
    virtual bool waitForData(Clock::time_point deadline) = 0;
    virtual void purge() = 0;
};

struct DeviceEntry {
    std::string description;
    Device* device = nullptr;  // listed, but cannot be opened when null
};

struct Setup {
    std::vector<DeviceEntry> devices;
    // What FT_GetLatencyTimer reports before anyone sets it.
    std::uint8_t initialLatencyMs = 16;
    // A call (e.g. "FT_SetBaudRate") that fails with an I/O error every time.
    std::string failingCall;
};

} // namespace lumetra::test::standin

extern "C" {
// Replaces the devices, forgets the open handles, and clears the call record.
using StandinSetupFn = void(const lumetra::test::standin::Setup* setup);
// Makes this call fail from now on (empty: none), leaving devices, handles and record as they are.
using StandinFailCallFn = void(const char* call);
// The driver calls since the last setup, one line each: the call's name and its arguments, e.g.
// "FT_SetBaudRate 921600" or "FT_OpenEx USB POD".
using StandinRecordFn = void(std::vector<std::string>* calls);
}
