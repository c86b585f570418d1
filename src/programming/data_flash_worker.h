// The worker thread of the data-flash runs, one run at a time. Started by the dialog once it is shown: Cancel
// cleared, the worker-busy flag set, the run on its own thread; afterwards both flags cleared and, after a
// success, the main window told 1100 ms later.
#pragma once

#include "programming/data_flash_run.h"

#include <atomic>
#include <functional>
#include <thread>

namespace lumetra::programming {

struct DataFlashWorkerPorts {
    link::CPodLink& link;
    DataFlashDialogPort& dialog;
    std::atomic<bool>& threadBusy; // programmingThreadBusy
    std::atomic<bool>& cancel;
    std::function<void(link::Milliseconds)> pause;
    // Called on the worker thread after a successful run; the desktop posts it to the main window.
    std::function<void()> succeeded;
    // Called on the worker thread with the result of a run that failed or was cancelled.
    std::function<void(DataFlashResult)> failed;
};

class DataFlashWorker {
public:
    DataFlashWorker() = default;
    ~DataFlashWorker() { join(); }
    DataFlashWorker(const DataFlashWorker&) = delete;
    DataFlashWorker& operator=(const DataFlashWorker&) = delete;

    // Waits for a previous run's thread first. The ports must stay valid until join.
    void start(const DataFlashWorkerPorts& ports, DataFlashJob job);
    // Waits until the thread (with its closing pause) has ended.
    void join();

private:
    std::thread thread_;
};

} // namespace lumetra::programming
