// Port to the main window as the application core drives it: title, status bar panes, the message window's
// section page and the list views that show the symbol list and the registered variables.
#pragma once

#include <string_view>

namespace lumetra::app {

// Status bar panes by their identifiers; pane 0 ("준비") carries the menu prompts and is the window's own.
enum class StatusPane {
    Port = 32797,
    Speed = 32798,
    Link = 32799,
    Size = 32800,
    Device = 32801,
    DataFlash = 32802,
};

class FrameView {
public:
    virtual ~FrameView() = default;
    virtual void setTitle(std::string_view title) = 0;
    virtual void setStatusPane(StatusPane pane, std::string_view text) = 0;
    // Makes "섹션 정보", the section list of the loaded file, the active page of the message window.
    virtual void showSectionPage() = 0;
    // The symbol list was refilled (or emptied): every symbol list view shows it again, and the variable monitor
    // refreshes its records against the new symbols.
    virtual void symbolListChanged() = 0;
    // The registered variable list was replaced or re-bound: the variable monitor rebuilds its rows.
    virtual void registeredVariablesChanged() = 0;
};

} // namespace lumetra::app
