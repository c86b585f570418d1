// Runs the built lumetra-cli with arguments and collects its exit code and output.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace lumetra::test {

struct CliRun {
    int exitCode = -1; // -1 when the process did not finish normally
    QByteArray out;
    QByteArray err;
};

inline CliRun runCli(const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LUMETRA_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        // Said in place of its error output, for the test's failure message.
        run.err = "lumetra-cli did not end normally: " + process.errorString().toUtf8() + ", exit code "
            + QByteArray::number(process.exitCode());
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
#ifdef _WIN32
    // A Windows program's text streams end lines with CR LF.
    run.out.replace("\r\n", "\n");
    run.err.replace("\r\n", "\n");
#endif
    return run;
}

} // namespace lumetra::test
