// lumetra-podsim run for the length of a test, serving the simulator on a pseudo-terminal.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// lumetra-podsim is built where pseudo-terminals are (not on Windows).
#ifdef LUMETRA_PODSIM_PATH

namespace lumetra::test {

// The simulator on a pseudo-terminal for the length of a test; closing its standard input ends it.
class Podsim {
public:
    explicit Podsim(const QStringList& arguments = {})
    {
        process_.start(QStringLiteral(LUMETRA_PODSIM_PATH), arguments);
        if (process_.waitForReadyRead(10000))
            device_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~Podsim()
    {
        process_.closeWriteChannel();
        process_.waitForFinished(10000);
    }
    const QString& device() const { return device_; }

private:
    QProcess process_;
    QString device_;
};

} // namespace lumetra::test

#endif
