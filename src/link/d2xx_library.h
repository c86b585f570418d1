// The D2XX driver library, loaded at run time and resolved by name.
#pragma once

#include "link/d2xx_api.h"

#include <memory>
#include <string>

namespace lumetra::link {

struct D2xxCalls {
    d2xx::ListDevicesFn* listDevices = nullptr;
    d2xx::OpenExFn* openEx = nullptr;
    d2xx::ResetDeviceFn* resetDevice = nullptr;
    d2xx::GetLatencyTimerFn* getLatencyTimer = nullptr;
    d2xx::SetLatencyTimerFn* setLatencyTimer = nullptr;
    d2xx::SetBaudRateFn* setBaudRate = nullptr;
    d2xx::SetDataCharacteristicsFn* setDataCharacteristics = nullptr;
    d2xx::SetFlowControlFn* setFlowControl = nullptr;
    d2xx::SetTimeoutsFn* setTimeouts = nullptr;
    d2xx::PurgeFn* purge = nullptr;
    d2xx::WriteFn* write = nullptr;
    d2xx::ReadFn* read = nullptr;
    d2xx::GetStatusFn* getStatus = nullptr;
    d2xx::GetQueueStatusFn* getQueueStatus = nullptr;
    d2xx::CloseFn* close = nullptr;
};

class D2xxLibrary {
public:
    // The name the system's loader searches for.
    static const char* defaultName();

    // Loads the library and resolves every call; nullptr when it is missing or lacks one of them.
    static std::shared_ptr<const D2xxLibrary> load(const std::string& path);

    ~D2xxLibrary();
    D2xxLibrary(const D2xxLibrary&) = delete;
    D2xxLibrary& operator=(const D2xxLibrary&) = delete;

    const D2xxCalls& calls() const { return calls_; }

private:
    explicit D2xxLibrary(void* module) : module_(module) {}

    void* module_;
    D2xxCalls calls_;
};

} // namespace lumetra::link
