// The POD simulator as a device of the stand-in D2XX library, and access to the stand-in's control calls.
#pragma once

#include "sim/pod_simulator.h"
#include "standin_ftd2xx/standin_ftd2xx.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace lumetra::test {

class SimulatedUsbDevice final : public standin::Device {
public:
    explicit SimulatedUsbDevice(sim::PodSimulator& pod) : pod_(pod) {}

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

    StandinDriver() : module_(::dlopen(kPath, RTLD_NOW | RTLD_LOCAL))
    {
        if (module_ != nullptr) {
            setup_ = reinterpret_cast<StandinSetupFn*>(::dlsym(module_, "lumetraStandinSetup"));
            record_ = reinterpret_cast<StandinRecordFn*>(::dlsym(module_, "lumetraStandinRecord"));
            failCall_ = reinterpret_cast<StandinFailCallFn*>(::dlsym(module_, "lumetraStandinFailCall"));
        }
    }
    ~StandinDriver()
    {
        if (module_ != nullptr)
            ::dlclose(module_);
    }
    StandinDriver(const StandinDriver&) = delete;
    StandinDriver& operator=(const StandinDriver&) = delete;

    bool loaded() const { return setup_ != nullptr && record_ != nullptr && failCall_ != nullptr; }
    void setup(const standin::Setup& setup) { setup_(&setup); }
    void failCall(const char* call) { failCall_(call); }
    std::vector<std::string> calls()
    {
        std::vector<std::string> calls;
        record_(&calls);
        return calls;
    }

private:
    void* module_;
    StandinSetupFn* setup_ = nullptr;
    StandinRecordFn* record_ = nullptr;
    StandinFailCallFn* failCall_ = nullptr;
};

} // namespace lumetra::test
