#include "app/ui/lock_file_single_instance.h"

#include <QDir>
#include <QString>

namespace lumetra::app::ui {

bool LockFileSingleInstance::acquire(std::string_view name)
{
    // This process holds it already.
    if (lock_)
        return true;
    const QString fileName
        = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + QStringLiteral(".lock");
    auto lock = std::make_unique<QLockFile>(QDir::temp().filePath(fileName));
    // A lock left behind by a crashed instance is taken over (QLockFile checks that its process is gone).
    if (!lock->tryLock(0))
        return false;
    lock_ = std::move(lock);
    return true;
}

} // namespace lumetra::app::ui
