// Console output bytes to text: the OEM code page on Windows, the locale's encoding elsewhere. Keeps an
// incomplete character at the end of one read for the next; invalid bytes become replacement characters.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace lumetra::tools::ui {

class ConsoleDecoder {
public:
    ConsoleDecoder();
    QString decode(QByteArrayView bytes);

private:
#ifdef Q_OS_WIN
    QByteArray carried_;
#else
    QStringDecoder decoder_;
#endif
};

} // namespace lumetra::tools::ui
