// A second start of the desktop program, run to its end.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace lumetra::test {

// Starts the desktop program with `arguments` in `environment`; true when it ended within `boundMs` (else it is
// killed, so no test leaves it running).
inline bool secondStartEnds(QProcess& second, const QProcessEnvironment& environment, const QStringList& arguments,
    int boundMs)
{
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(LUMETRA_GUI_PATH), arguments);
    if (second.waitForFinished(boundMs))
        return true;
    second.kill();
    second.waitForFinished();
    return false;
}

} // namespace lumetra::test
