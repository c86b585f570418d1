// Port to the system-wide lock that keeps a second copy of the program from running.
#pragma once

#include <string_view>

namespace lumetra::app {

inline constexpr std::string_view kSingleInstanceName = "VestralLumetra";

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // Takes the named lock for the rest of the process; false when another running instance holds it.
    virtual bool acquire(std::string_view name) = 0;
};

} // namespace lumetra::app
