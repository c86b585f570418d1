// The child process of a captured tool over QProcess: no shell, standard input, output and error on pipes,
// the working folder as registered (an empty one keeps the program's own). Output and the end arrive as
// signals on the user interface thread.
#pragma once

#include "tools/tool_runner.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>

namespace lumetra::tools::ui {

class QtChildProcess final : public QObject, public ChildProcess {
    Q_OBJECT

public:
    explicit QtChildProcess(QObject* parent = nullptr);

    bool start(const ConsoleLaunch& launch) override;
    bool running() const override;
    void requestEnd() override;
    void kill() override;
    bool waitForEnd(int milliseconds) override;

    qint64 processId() const { return process_.processId(); }

signals:
    void outputReady(lumetra::tools::OutputStream stream, const QByteArray& bytes);
    // Every byte the child wrote has been reported before this.
    void ended();

private:
    void drain();

    QProcess process_;
};

} // namespace lumetra::tools::ui
