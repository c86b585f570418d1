#include "link/d2xx_transport.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace lumetra::link {

namespace {

using Clock = std::chrono::steady_clock;
using d2xx::kOk;

d2xx::Dword toDword(Milliseconds timeout)
{
    // A zero time-out would mean "wait for ever" to some drivers: the shortest wait is 1 ms.
    return static_cast<d2xx::Dword>(std::clamp<Milliseconds::rep>(timeout.count(), 1, 0xFFFFFFFF));
}

bool configure(const D2xxCalls& ft, d2xx::Handle handle, int baud, d2xx::Dword timeoutMs)
{
    std::uint8_t latency = 0;
    return ft.resetDevice(handle) == kOk && ft.getLatencyTimer(handle, &latency) == kOk
        && (latency == 1 || ft.setLatencyTimer(handle, 1) == kOk)
        && ft.setBaudRate(handle, static_cast<d2xx::Dword>(baud)) == kOk
        && ft.setDataCharacteristics(handle, d2xx::kBits8, d2xx::kStopBits1, d2xx::kParityNone) == kOk
        && ft.setFlowControl(handle, d2xx::kFlowNone, 0, 0) == kOk
        && ft.setTimeouts(handle, timeoutMs, timeoutMs) == kOk
        && ft.purge(handle, d2xx::kPurgeRx | d2xx::kPurgeTx) == kOk;
}

} // namespace

std::optional<std::vector<std::string>> listD2xxDescriptions(const D2xxLibrary& library)
{
    const D2xxCalls& ft = library.calls();
    d2xx::Dword count = 0;
    if (ft.listDevices(&count, nullptr, d2xx::kListNumberOnly) != kOk)
        return std::nullopt;
    std::vector<std::string> descriptions;
    for (d2xx::Dword index = 0; index < count; ++index) {
        // One spare byte keeps the text terminated whatever the library wrote.
        char description[d2xx::kDescriptionSize + 1] = {};
        const auto status = ft.listDevices(reinterpret_cast<void*>(static_cast<std::uintptr_t>(index)), description,
                                           d2xx::kListByIndex | d2xx::kOpenByDescription);
        descriptions.emplace_back(status == kOk ? description : "");
    }
    return descriptions;
}

std::unique_ptr<D2xxTransport> D2xxTransport::open(std::shared_ptr<const D2xxLibrary> library,
                                                   const std::string& description, int baud, Milliseconds timeout)
{
    if (!library || baud <= 0)
        return nullptr;
    const D2xxCalls& ft = library->calls();
    std::string name = description;
    d2xx::Handle handle = nullptr;
    if (ft.openEx(name.data(), d2xx::kOpenByDescription, &handle) != kOk || handle == nullptr)
        return nullptr;
    const d2xx::Dword timeoutMs = toDword(timeout);
    if (!configure(ft, handle, baud, timeoutMs)) {
        ft.close(handle);
        return nullptr;
    }
    return std::unique_ptr<D2xxTransport>(new D2xxTransport(std::move(library), handle, baud, timeoutMs));
}

D2xxTransport::D2xxTransport(std::shared_ptr<const D2xxLibrary> library, d2xx::Handle handle, int baud,
                             d2xx::Dword timeout)
    : library_(std::move(library)), ft_(library_->calls()), handle_(handle), baud_(baud), writeTimeoutMs_(timeout),
      readTimeoutMs_(timeout)
{
}

D2xxTransport::~D2xxTransport()
{
    if (handle_ != nullptr && !close())
        ft_.close(handle_);
}

bool D2xxTransport::write(const std::uint8_t* data, std::size_t size, Milliseconds drainTimeout)
{
    if (handle_ == nullptr)
        return false;
    const auto deadline = Clock::now() + drainTimeout;
    d2xx::Dword written = 0;
    const auto length = static_cast<d2xx::Dword>(size);
    if (ft_.write(handle_, const_cast<std::uint8_t*>(data), length, &written) != kOk || written != length)
        return false;
    // The library offers no drain event: sample the transmit queue, pausing about as long as the queued
    // bytes need on the wire.
    const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / baud_);
    for (;;) {
        d2xx::Dword rx = 0, tx = 0, events = 0;
        if (ft_.getStatus(handle_, &rx, &tx, &events) != kOk)
            return false;
        if (tx == 0)
            return true;
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(byteTime * tx, deadline - now));
    }
}

bool D2xxTransport::setReadTimeout(Milliseconds timeout)
{
    const d2xx::Dword timeoutMs = toDword(timeout);
    if (timeoutMs == readTimeoutMs_)
        return true;
    if (ft_.setTimeouts(handle_, timeoutMs, writeTimeoutMs_) != kOk)
        return false;
    readTimeoutMs_ = timeoutMs;
    return true;
}

// A blocking read returns the moment all requested bytes are in, or at the end of its time-out with what
// came. The first byte is read alone under the first-byte time-out, so that a reply that has begun is never
// held to it; the rest under the inter-byte time-out, so a read that returns nothing means the allowed
// silence has passed. Time-outs are set only when they change.
bool D2xxTransport::read(std::uint8_t* buffer, std::size_t count, Milliseconds firstByteTimeout,
                         Milliseconds interByteTimeout)
{
    if (handle_ == nullptr)
        return false;
    std::size_t received = 0;
    while (received < count) {
        const bool first = received == 0;
        if (!setReadTimeout(first ? firstByteTimeout : interByteTimeout))
            return false;
        const auto wanted = static_cast<d2xx::Dword>(first ? 1 : count - received);
        d2xx::Dword got = 0;
        if (ft_.read(handle_, buffer + received, wanted, &got) != kOk || got == 0 || got > wanted)
            return false;
        received += got;
    }
    return true;
}

std::optional<std::size_t> D2xxTransport::bytesWaiting()
{
    d2xx::Dword waiting = 0;
    if (handle_ == nullptr || ft_.getQueueStatus(handle_, &waiting) != kOk)
        return std::nullopt;
    return waiting;
}

void D2xxTransport::purge()
{
    if (handle_ != nullptr)
        ft_.purge(handle_, d2xx::kPurgeRx | d2xx::kPurgeTx);
}

bool D2xxTransport::close()
{
    if (handle_ == nullptr)
        return true;
    if (ft_.purge(handle_, d2xx::kPurgeRx | d2xx::kPurgeTx) != kOk || ft_.close(handle_) != kOk)
        return false;
    handle_ = nullptr;
    return true;
}

} // namespace lumetra::link
