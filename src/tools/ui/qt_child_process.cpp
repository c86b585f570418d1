#include "tools/ui/qt_child_process.h"

#include <QDir>
#include <QStringList>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace lumetra::tools::ui {

namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

QtChildProcess::QtChildProcess(QObject* parent)
    : QObject(parent)
{
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    connect(&process_, &QProcess::readyReadStandardOutput, this,
        [this] { emit outputReady(OutputStream::Output, process_.readAllStandardOutput()); });
    connect(&process_, &QProcess::readyReadStandardError, this,
        [this] { emit outputReady(OutputStream::Error, process_.readAllStandardError()); });
    connect(&process_, &QProcess::finished, this, [this] {
        drain();
        emit ended();
    });
}

bool QtChildProcess::start(const ConsoleLaunch& launch)
{
    // The program path was checked against this process's folder; the child's folder must not change that.
    process_.setProgram(QDir::current().absoluteFilePath(qt(launch.program)));
#ifdef Q_OS_WIN
    // Windows programs parse their own command line: hand on the registered text as it is, on a console of
    // the child's own that is never shown.
    process_.setNativeArguments(qt(launch.argumentText));
    process_.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
        arguments->flags |= CREATE_NEW_CONSOLE;
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_HIDE;
    });
#else
    QStringList arguments;
    for (const std::string& word : launch.arguments)
        arguments << qt(word);
    process_.setArguments(arguments);
#endif
    process_.setWorkingDirectory(qt(launch.workDir));
    process_.start(QIODevice::ReadWrite);
    return process_.waitForStarted(kStartWaitMs);
}

bool QtChildProcess::running() const
{
    return process_.state() != QProcess::NotRunning;
}

void QtChildProcess::requestEnd()
{
    process_.terminate();
}

void QtChildProcess::kill()
{
    process_.kill();
}

bool QtChildProcess::waitForEnd(int milliseconds)
{
    if (!running())
        return true;
    return process_.waitForFinished(milliseconds);
}

void QtChildProcess::drain()
{
    const QByteArray output = process_.readAllStandardOutput();
    if (!output.isEmpty())
        emit outputReady(OutputStream::Output, output);
    const QByteArray error = process_.readAllStandardError();
    if (!error.isEmpty())
        emit outputReady(OutputStream::Error, error);
}

} // namespace lumetra::tools::ui
