// Calls handed from a worker thread to the user interface thread. The calls wait in a queue under a standard
// mutex and are drained by one queued call that carries no data, so every hand-off is ordered by that mutex
// (which ThreadSanitizer sees) rather than by Qt's event queue alone.
#pragma once

#include <QObject>

#include <functional>
#include <mutex>
#include <vector>

namespace lumetra::core::ui {

class UiThreadQueue final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // From any thread: runs `call` on this object's thread, after the calls posted before it.
    void post(std::function<void()> call);

private slots:
    void drain();

private:
    std::mutex mutex_;
    std::vector<std::function<void()>> calls_;
};

} // namespace lumetra::core::ui
