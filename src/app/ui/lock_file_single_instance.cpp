#include "app/ui/lock_file_single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace lumetra::app::ui {

namespace {

QString userLockFolder()
{
    // Without XDG_RUNTIME_DIR Qt would fall back to a folder under /tmp and warn at every start.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty())
            return runtime;
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

} // namespace

LockFileSingleInstance::LockFileSingleInstance()
    : LockFileSingleInstance(userLockFolder())
{
}

LockFileSingleInstance::LockFileSingleInstance(const QString& folder)
    : folder_(folder)
{
}

QString LockFileSingleInstance::lockPath(std::string_view name) const
{
    const QString fileName
        = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + QStringLiteral(".lock");
    return QDir(folder_).filePath(fileName);
}

bool LockFileSingleInstance::acquire(std::string_view name)
{
    // This process holds it already.
    if (lock_)
        return true;
    QDir().mkpath(folder_);
    auto lock = std::make_unique<QLockFile>(lockPath(name));
    // Held for the whole run: never stale by age, only when the process that wrote it is gone (QLockFile then
    // removes it).
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    lock_ = std::move(lock);
    return true;
}

} // namespace lumetra::app::ui
