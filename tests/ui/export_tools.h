// The independent readers the export tests check files with (libwmf's converters, poppler's tools): run one,
// or skip the test when it is not installed.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace lumetra::graph::test {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline bool toolInstalled(const QString& tool)
{
    return !QStandardPaths::findExecutable(tool).isEmpty();
}

inline ToolRun runTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    ToolRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Letters and digits only: text extracted from a PDF may give a space as another character or none.
inline QString lettersOf(const QByteArray& text)
{
    QString kept;
    for (const QChar c : QString::fromUtf8(text)) {
        if (c.isLetterOrNumber())
            kept += c;
    }
    return kept;
}

} // namespace lumetra::graph::test

#define SKIP_WITHOUT_TOOL(tool)                                                                                        \
    if (!lumetra::graph::test::toolInstalled(tool)) {                                                                  \
        GTEST_SKIP() << (tool) << " is not installed (scripts/setup installs it)";                                     \
    }
