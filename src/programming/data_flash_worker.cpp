#include "programming/data_flash_worker.h"

namespace lumetra::programming {

namespace {

constexpr link::Milliseconds kBeforeSuccessNotice {1100};

} // namespace

void DataFlashWorker::start(const DataFlashWorkerPorts& ports, DataFlashJob job)
{
    join();
    ports.cancel = false;
    ports.threadBusy = true;
    thread_ = std::thread([ports, job = std::move(job)] {
        const DataFlashResult result = RunDataFlash({ports.link, ports.dialog, ports.cancel, ports.pause}, job);
        ports.threadBusy = false;
        ports.cancel = false;
        if (!isDataFlashSuccess(result)) {
            if (ports.failed)
                ports.failed(result);
            return;
        }
        ports.pause(kBeforeSuccessNotice);
        ports.succeeded();
    });
}

void DataFlashWorker::join()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace lumetra::programming
