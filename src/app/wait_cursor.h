// Port to the wait cursor shown while a long operation blocks the user interface.
#pragma once

namespace lumetra::app {

class WaitCursor {
public:
    virtual ~WaitCursor() = default;
    virtual void show() = 0;
    virtual void restore() = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursorScope {
public:
    explicit WaitCursorScope(WaitCursor& cursor)
        : cursor_(cursor)
    {
        cursor_.show();
    }
    ~WaitCursorScope() { cursor_.restore(); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;

private:
    WaitCursor& cursor_;
};

} // namespace lumetra::app
