#include "tools/ui/console_decoder.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace lumetra::tools::ui {

#ifdef Q_OS_WIN

ConsoleDecoder::ConsoleDecoder() = default;

QString ConsoleDecoder::decode(QByteArrayView bytes)
{
    QByteArray text = carried_ + bytes.toByteArray();
    carried_.clear();
    // A lead byte at the very end waits for its trail byte.
    qsizetype complete = 0;
    while (complete < text.size()) {
        const bool lead = IsDBCSLeadByteEx(CP_OEMCP, static_cast<BYTE>(text[complete])) != 0;
        if (lead && complete + 1 == text.size())
            break;
        complete += lead ? 2 : 1;
    }
    carried_ = text.mid(complete);
    text.truncate(complete);
    if (text.isEmpty())
        return {};
    const int size = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_OEMCP, 0, text.constData(), size, nullptr, 0);
    QString result(wide, Qt::Uninitialized);
    MultiByteToWideChar(CP_OEMCP, 0, text.constData(), size, reinterpret_cast<wchar_t*>(result.data()), wide);
    return result;
}

#else

ConsoleDecoder::ConsoleDecoder()
    : decoder_(QStringDecoder::System)
{
}

QString ConsoleDecoder::decode(QByteArrayView bytes)
{
    return decoder_.decode(bytes);
}

#endif

} // namespace lumetra::tools::ui
