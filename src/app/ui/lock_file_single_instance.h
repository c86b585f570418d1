// The single-instance lock over a lock file in a folder of the user's own, held for the rest of the process;
// asking again in the process that holds it succeeds. A lock left behind by a process that is gone is taken over.
#pragma once

#include "app/single_instance.h"

#include <QLockFile>
#include <QString>

#include <memory>

namespace lumetra::app::ui {

class LockFileSingleInstance final : public SingleInstance {
public:
    // In the user's runtime folder when the system names one, else in the program's per-user settings folder.
    LockFileSingleInstance();
    explicit LockFileSingleInstance(const QString& folder);

    bool acquire(std::string_view name) override;

    // The lock file of `name` in this lock's folder.
    QString lockPath(std::string_view name) const;

private:
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace lumetra::app::ui
