// Whether a monitor pane's shown values are current: a value is current only when it was read in the pane's
// latest poll pass and the pane has been polled ever since. Once a value is looked at while its pane is not
// polled (OFF LINE, or the pane's monitoring stopped), every value stays stale until the next pass reads it.
#pragma once

#include <cstdint>

namespace lumetra::monitor {

class ShownValuesFreshness {
public:
    // A poll pass starts; the rows it reads take its number.
    void beginPass()
    {
        ++pass_;
        shownUnpolled_ = false;
    }
    // The number that a row read in the running pass keeps; 0 is never a pass.
    std::uint64_t pass() const { return pass_; }

    // `readInPass` is the pass that last read the row, `polled` whether the pane is polled now.
    bool stale(std::uint64_t readInPass, bool polled) const
    {
        if (!polled)
            shownUnpolled_ = true;
        return shownUnpolled_ || readInPass == 0 || readInPass != pass_;
    }

private:
    std::uint64_t pass_ = 0;
    // Looking at the values while unpolled is what makes them stale after a restart, until they are read again.
    mutable bool shownUnpolled_ = false;
};

} // namespace lumetra::monitor
