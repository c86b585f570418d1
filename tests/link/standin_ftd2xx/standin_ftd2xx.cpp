// A D2XX library of our own for the tests: the driver calls the link uses, over test-supplied devices.
#include "standin_ftd2xx.h"

#include "link/d2xx_api.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

using namespace lumetra::link::d2xx;
using namespace lumetra::test::standin;

namespace {

constexpr Status kInvalidHandle = 1;
constexpr Status kDeviceNotFound = 2;
constexpr Status kIoError = 4;
constexpr Status kInvalidParameter = 6;

struct OpenDevice {
    Device* device = nullptr;
    int baud = 9600;
    std::uint8_t latencyMs = 16;
    Dword readTimeoutMs = 0;
    Clock::time_point txDoneAt{};
};

struct State {
    std::mutex mutex;
    Setup setup;
    std::vector<std::string> calls;
    std::set<OpenDevice*> open;
};

State& state()
{
    static State instance;
    return instance;
}

// Records the call; returns the I/O error when the test made this call fail.
Status enter(State& s, const std::string& call, const std::string& arguments = {})
{
    s.calls.push_back(arguments.empty() ? call : call + " " + arguments);
    return s.setup.failingCall == call ? kIoError : kOk;
}

OpenDevice* find(State& s, Handle handle)
{
    auto* device = static_cast<OpenDevice*>(handle);
    return s.open.count(device) != 0 ? device : nullptr;
}

// The common prologue of a call on an open handle.
template <typename Body>
Status onDevice(Handle handle, const std::string& call, const std::string& arguments, Body body)
{
    State& s = state();
    std::unique_lock lock(s.mutex);
    if (const Status status = enter(s, call, arguments); status != kOk)
        return status;
    OpenDevice* device = find(s, handle);
    if (device == nullptr)
        return kInvalidHandle;
    return body(*device, lock);
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) void lumetraStandinSetup(const Setup* setup)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.setup = *setup;
    s.calls.clear();
    for (OpenDevice* device : s.open)
        delete device;
    s.open.clear();
}

__attribute__((visibility("default"))) void lumetraStandinFailCall(const char* call)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.setup.failingCall = call;
}

__attribute__((visibility("default"))) void lumetraStandinRecord(std::vector<std::string>* calls)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    *calls = s.calls;
}

__attribute__((visibility("default"))) Status FT_ListDevices(void* arg1, void* arg2, Dword flags)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    if (flags == kListNumberOnly) {
        if (const Status status = enter(s, "FT_ListDevices", "count"); status != kOk)
            return status;
        *static_cast<Dword*>(arg1) = static_cast<Dword>(s.setup.devices.size());
        return kOk;
    }
    const auto index = reinterpret_cast<std::uintptr_t>(arg1);
    if (const Status status = enter(s, "FT_ListDevices", std::to_string(index)); status != kOk)
        return status;
    if (flags != (kListByIndex | kOpenByDescription) || index >= s.setup.devices.size())
        return kInvalidParameter;
    const std::string& description = s.setup.devices[index].description;
    const std::size_t length = std::min(description.size(), kDescriptionSize - 1);
    std::memcpy(arg2, description.data(), length);
    static_cast<char*>(arg2)[length] = '\0';
    return kOk;
}

__attribute__((visibility("default"))) Status FT_OpenEx(void* arg, Dword flags, Handle* handle)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    const std::string description = static_cast<const char*>(arg);
    if (const Status status = enter(s, "FT_OpenEx", description); status != kOk)
        return status;
    if (flags != kOpenByDescription)
        return kInvalidParameter;
    for (const DeviceEntry& entry : s.setup.devices) {
        const bool busy = std::any_of(s.open.begin(), s.open.end(),
                                      [&](const OpenDevice* open) { return open->device == entry.device; });
        if (entry.description == description && entry.device != nullptr && !busy) {
            auto* device = new OpenDevice{entry.device, 9600, s.setup.initialLatencyMs, 0, {}};
            s.open.insert(device);
            *handle = device;
            return kOk;
        }
    }
    return kDeviceNotFound;
}

__attribute__((visibility("default"))) Status FT_Close(Handle handle)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    if (const Status status = enter(s, "FT_Close"); status != kOk)
        return status;
    OpenDevice* device = find(s, handle);
    if (device == nullptr)
        return kInvalidHandle;
    s.open.erase(device);
    delete device;
    return kOk;
}

__attribute__((visibility("default"))) Status FT_ResetDevice(Handle handle)
{
    return onDevice(handle, "FT_ResetDevice", {}, [](OpenDevice&, auto&) { return kOk; });
}

__attribute__((visibility("default"))) Status FT_GetLatencyTimer(Handle handle, std::uint8_t* milliseconds)
{
    return onDevice(handle, "FT_GetLatencyTimer", {}, [&](OpenDevice& d, auto&) {
        *milliseconds = d.latencyMs;
        return kOk;
    });
}

__attribute__((visibility("default"))) Status FT_SetLatencyTimer(Handle handle, std::uint8_t milliseconds)
{
    return onDevice(handle, "FT_SetLatencyTimer", std::to_string(milliseconds), [&](OpenDevice& d, auto&) {
        d.latencyMs = milliseconds;
        return kOk;
    });
}

__attribute__((visibility("default"))) Status FT_SetBaudRate(Handle handle, Dword baud)
{
    return onDevice(handle, "FT_SetBaudRate", std::to_string(baud), [&](OpenDevice& d, auto&) {
        d.baud = static_cast<int>(baud);
        d.device->setBaud(d.baud);
        return kOk;
    });
}

__attribute__((visibility("default"))) Status FT_SetDataCharacteristics(Handle handle, std::uint8_t bits,
                                                                        std::uint8_t stop, std::uint8_t parity)
{
    const std::string arguments = std::to_string(bits) + " " + std::to_string(stop) + " " + std::to_string(parity);
    return onDevice(handle, "FT_SetDataCharacteristics", arguments, [](OpenDevice&, auto&) { return kOk; });
}

__attribute__((visibility("default"))) Status FT_SetFlowControl(Handle handle, std::uint16_t flow, std::uint8_t,
                                                                std::uint8_t)
{
    return onDevice(handle, "FT_SetFlowControl", std::to_string(flow), [](OpenDevice&, auto&) { return kOk; });
}

__attribute__((visibility("default"))) Status FT_SetTimeouts(Handle handle, Dword readMs, Dword writeMs)
{
    return onDevice(handle, "FT_SetTimeouts", std::to_string(readMs) + " " + std::to_string(writeMs),
                    [&](OpenDevice& d, auto&) {
                        d.readTimeoutMs = readMs;
                        return kOk;
                    });
}

__attribute__((visibility("default"))) Status FT_Purge(Handle handle, Dword mask)
{
    return onDevice(handle, "FT_Purge", std::to_string(mask), [&](OpenDevice& d, auto&) {
        if ((mask & kPurgeRx) != 0)
            d.device->purge();
        return kOk;
    });
}

__attribute__((visibility("default"))) Status FT_Write(Handle handle, void* buffer, Dword size, Dword* written)
{
    return onDevice(handle, "FT_Write", std::to_string(size), [&](OpenDevice& d, auto&) {
        *written = 0;
        if (!d.device->write(static_cast<const std::uint8_t*>(buffer), size, d.txDoneAt))
            return kIoError;
        *written = size;
        return kOk;
    });
}

// Blocks until size bytes are in or the read time-out has passed, and returns what came.
__attribute__((visibility("default"))) Status FT_Read(Handle handle, void* buffer, Dword size, Dword* received)
{
    return onDevice(handle, "FT_Read", std::to_string(size), [&](OpenDevice& d, std::unique_lock<std::mutex>& lock) {
        auto* out = static_cast<std::uint8_t*>(buffer);
        const auto deadline = Clock::now() + std::chrono::milliseconds(d.readTimeoutMs);
        Dword got = 0;
        for (;;) {
            got += static_cast<Dword>(d.device->read(out + got, size - got));
            if (got == size)
                break;
            Device* device = d.device;
            lock.unlock();
            const bool more = device->waitForData(deadline);
            lock.lock();
            if (find(state(), &d) == nullptr)
                return kInvalidHandle;
            if (!more) {
                got += static_cast<Dword>(d.device->read(out + got, size - got));
                break;
            }
        }
        *received = got;
        return kOk;
    });
}

__attribute__((visibility("default"))) Status FT_GetStatus(Handle handle, Dword* rx, Dword* tx, Dword* events)
{
    return onDevice(handle, "FT_GetStatus", {}, [&](OpenDevice& d, auto&) {
        *rx = static_cast<Dword>(d.device->waiting());
        // Bytes still on their way out: the time left until the last one has been sent, in byte times.
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(d.txDoneAt - Clock::now()).count();
        const long long byteNs = 10'000'000'000LL / d.baud;
        *tx = left > 0 ? static_cast<Dword>((left + byteNs - 1) / byteNs) : 0;
        *events = 0;
        return kOk;
    });
}

__attribute__((visibility("default"))) Status FT_GetQueueStatus(Handle handle, Dword* rx)
{
    return onDevice(handle, "FT_GetQueueStatus", {}, [&](OpenDevice& d, auto&) {
        *rx = static_cast<Dword>(d.device->waiting());
        return kOk;
    });
}

} // extern "C"
