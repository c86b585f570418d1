// The single-instance lock of Windows: a named mutex, created initially owned and held for the rest of the
// process. Asking again through the object that holds it succeeds; the mutex goes with the object.
#pragma once

#ifdef _WIN32

#include "app/single_instance.h"

namespace lumetra::app {

class NamedMutexSingleInstance final : public SingleInstance {
public:
    NamedMutexSingleInstance() = default;
    ~NamedMutexSingleInstance() override;
    NamedMutexSingleInstance(const NamedMutexSingleInstance&) = delete;
    NamedMutexSingleInstance& operator=(const NamedMutexSingleInstance&) = delete;

    bool acquire(std::string_view name) override;

private:
    void* mutex_ = nullptr;
};

} // namespace lumetra::app

#endif
