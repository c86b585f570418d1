#include "app/ui/file_dialog_filter.h"

#include <QStringList>

namespace lumetra::app::ui {

QString qtFileFilter(std::string_view pipeFilter)
{
    const QStringList parts = QString::fromUtf8(pipeFilter.data(), static_cast<qsizetype>(pipeFilter.size()))
                                  .split(QLatin1Char('|'), Qt::SkipEmptyParts);
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

} // namespace lumetra::app::ui
