#include "tools/ui/tool_browsers.h"

#include "core/ui/file_dialogs.h"
#include "tools/tool_dialog_logic.h"

#include <QDir>
#include <QFileDialog>

namespace lumetra::tools::ui {

ToolBrowsers qtToolBrowsers(const QString& programFilter)
{
    ToolBrowsers browsers;
    browsers.chooseProgram = [programFilter](QWidget* parent, const QString& initialFolder) -> std::optional<QString> {
        const QString chosen = QFileDialog::getOpenFileName(
            parent, QString(), initialFolder, programFilter, nullptr, core::ui::kFileDialogOptions);
        if (chosen.isEmpty())
            return std::nullopt;
        return QDir::toNativeSeparators(chosen);
    };
    browsers.chooseFolder = [](QWidget* parent, const QString& initialFolder) -> std::optional<QString> {
        const QString title
            = QString::fromUtf8(kFolderBrowseTitle.data(), static_cast<qsizetype>(kFolderBrowseTitle.size()));
        const QString chosen
            = QFileDialog::getExistingDirectory(parent, title, initialFolder, QFileDialog::ShowDirsOnly);
        if (chosen.isEmpty())
            return std::nullopt;
        return QDir::toNativeSeparators(chosen);
    };
    return browsers;
}

} // namespace lumetra::tools::ui
