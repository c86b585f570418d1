#include "core/ui/ui_thread_queue.h"

namespace lumetra::core::ui {

void UiThreadQueue::post(std::function<void()> call)
{
    bool firstWaiting = false;
    {
        const std::lock_guard lock(mutex_);
        firstWaiting = calls_.empty();
        calls_.push_back(std::move(call));
    }
    if (firstWaiting)
        QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
}

void UiThreadQueue::drain()
{
    std::vector<std::function<void()>> calls;
    {
        const std::lock_guard lock(mutex_);
        calls.swap(calls_);
    }
    for (const auto& call : calls)
        call();
}

} // namespace lumetra::core::ui
