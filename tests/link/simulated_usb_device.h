// The POD simulator as a device of the stand-in D2XX library, and access to the stand-in's control calls.
#pragma once

#include "sim/pod_simulator.h"
#include "standin_ftd2xx/standin_ftd2xx.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lumetra::test {

class SimulatedUsbDevice final : public standin::Device {
public:
    explicit SimulatedUsbDevice(sim::PodSimulator& pod)
        : pod_(pod)
    {
    }

    void setBaud(int baud) override { pod_.setHostBaud(baud); }
    bool write(const std::uint8_t* data, std::size_t size, standin::Clock::time_point& lastByteSent) override
    {
        lastByteSent = pod_.hostWrite(data, size);
        return !pod_.hungUp();
    }
    std::size_t read(std::uint8_t* out, std::size_t max) override { return pod_.hostRead(out, max); }
    std::size_t waiting() override { return pod_.pendingReplyBytes(); }
    bool waitForData(standin::Clock::time_point deadline) override { return pod_.waitForReply(deadline); }
    void purge() override { pod_.purgeHost(); }

private:
    sim::PodSimulator& pod_;
};

// The stand-in library as the link loads it: the same module, reached here for its control calls.
class StandinDriver {
public:
    static constexpr const char* kPath = LUMETRA_STANDIN_FTD2XX;

    StandinDriver()
        : module_(openModule())
    {
        if (module_ != nullptr) {
            setup_ = reinterpret_cast<StandinSetupFn*>(findSymbol("lumetraStandinSetup"));
            record_ = reinterpret_cast<StandinRecordFn*>(findSymbol("lumetraStandinRecord"));
            failCall_ = reinterpret_cast<StandinFailCallFn*>(findSymbol("lumetraStandinFailCall"));
        }
    }
    ~StandinDriver()
    {
        if (module_ == nullptr)
            return;
#ifdef _WIN32
        ::FreeLibrary(static_cast<HMODULE>(module_));
#else
        ::dlclose(module_);
#endif
    }
    StandinDriver(const StandinDriver&) = delete;
    StandinDriver& operator=(const StandinDriver&) = delete;

    bool loaded() const
    {
        return setup_ != nullptr && record_ != nullptr && failCall_ != nullptr;
    }
    void setup(const standin::Setup& setup)
    {
        setup_(&setup);
    }
    void failCall(const char* call)
    {
        failCall_(call);
    }
    std::vector<std::string> calls()
    {
        std::vector<std::string> calls;
        record_(&calls);
        return calls;
    }

private:
    static void* openModule()
    {
#ifdef _WIN32
        return reinterpret_cast<void*>(::LoadLibraryA(kPath));
#else
        return ::dlopen(kPath, RTLD_NOW | RTLD_LOCAL);
#endif
    }
    void* findSymbol(const char* name) const
    {
#ifdef _WIN32
        return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module_), name));
#else
        return ::dlsym(module_, name);
#endif
    }

    void* module_;
    StandinSetupFn* setup_ = nullptr;
    StandinRecordFn* record_ = nullptr;
    StandinFailCallFn* failCall_ = nullptr;
};

} // namespace lumetra::test
