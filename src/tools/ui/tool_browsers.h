// The two browse dialogs of the registration dialog: the program file dialog and the folder browser. Each
// answers the chosen path in native separators, or nothing when cancelled.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace lumetra::tools::ui {

struct ToolBrowsers {
    std::function<std::optional<QString>(QWidget* parent, const QString& initialFolder)> chooseProgram;
    std::function<std::optional<QString>(QWidget* parent, const QString& initialFolder)> chooseFolder;
};

// Qt's file dialog with `programFilter` (in Qt's form) and its folder dialog titled "Work Directory :".
ToolBrowsers qtToolBrowsers(const QString& programFilter);

} // namespace lumetra::tools::ui
