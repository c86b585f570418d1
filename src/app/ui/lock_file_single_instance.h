// The single-instance lock over a lock file in the system's temporary folder, held for the rest of the process;
// asking again in the process that holds it succeeds.
#pragma once

#include "app/single_instance.h"

#include <QLockFile>

#include <memory>

namespace lumetra::app::ui {

class LockFileSingleInstance final : public SingleInstance {
public:
    bool acquire(std::string_view name) override;

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace lumetra::app::ui
