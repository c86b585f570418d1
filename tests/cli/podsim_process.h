// lumetra-podsim on a pseudo-terminal for the length of a test; closing its standard input ends it.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#ifdef LUMETRA_PODSIM_PATH

namespace lumetra::test {

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
    Podsim(const Podsim&) = delete;
    Podsim& operator=(const Podsim&) = delete;

    const QString& device() const { return device_; }

private:
    QProcess process_;
    QString device_;
};

} // namespace lumetra::test

#endif
