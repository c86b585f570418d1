// Port to the per-user lock that keeps a second copy of the program from running.
#pragma once

#include <string>
#include <string_view>

namespace lumetra::app {

inline constexpr std::string_view kSingleInstanceName = "VestralLumetra";

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // Takes the named lock for the rest of the process; false when another running instance holds it.
    virtual bool acquire(std::string_view name) = 0;
};

// The one line a start that ends because another instance runs writes to standard error; `lockPlace` tells the
// user where the lock is kept.
std::string anotherInstanceLine(std::string_view lockPlace);

} // namespace lumetra::app
