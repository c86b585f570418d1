#include "core/ui/file_dialogs.h"

#include <QStringList>

namespace lumetra::core::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString qtFileFilter(std::string_view pipeFilter)
{
    const QStringList parts = qt(pipeFilter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "*.*" names every file, also those without a dot.
        if (pattern == QStringLiteral("*.*"))
            pattern = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> askSaveFile(QWidget* parent, const SaveFileRequest& request)
{
    QFileDialog fileDialog(parent, QString(), qt(request.folder), qtFileFilter(request.filter));
    fileDialog.setOptions(kFileDialogOptions);
    fileDialog.setAcceptMode(QFileDialog::AcceptSave);
    fileDialog.setFileMode(QFileDialog::AnyFile);
    fileDialog.setDefaultSuffix(qt(request.defaultExtension));
    if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty())
        return std::nullopt;
    return fileDialog.selectedFiles().first().toStdString();
}

} // namespace lumetra::core::ui
