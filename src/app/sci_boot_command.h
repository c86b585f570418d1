// Port to the SCI boot download of the loaded program ("SCI 부트"), run after a COFF load when
// `Load After Down` is set. The command reports its own outcome to the user.
#pragma once

namespace lumetra::app {

class SciBootCommand {
public:
    virtual ~SciBootCommand() = default;
    virtual void run() = 0;
};

} // namespace lumetra::app
