// The data-flash run of the worker thread: the SCI boot, the data-flash algorithm of the device's clock group,
// its initialisation with the memory type (record 71), the sector erase (72), the page programming (73) and the
// page verification (74). It reaches the dialog only through its port and reads Cancel from an atomic flag.
#pragma once

#include "programming/data_flash_dialog_port.h"
#include "programming/data_flash_result.h"
#include "programming/target_image.h"

#include "image/data_flash_image.h"
#include "link/firmware_version.h"
#include "link/pod_link.h"

#include <atomic>
#include <functional>

namespace lumetra::programming {

// Everything a run needs, copied for the worker so that it shares nothing with the user interface thread.
struct DataFlashJob {
    link::DataFlashMode mode = link::DataFlashMode::Erase;
    int deviceCode = 36;
    int type = 1;
    bool eraseAll = true;
    image::DataFlashImage image;
    TargetImage algorithm;
};

struct DataFlashRunPorts {
    link::CPodLink& link;
    DataFlashDialogPort& dialog;
    const std::atomic<bool>& cancel;
    std::function<void(link::Milliseconds)> pause;
};

// The steps up to the run's result; the link stays open.
DataFlashResult RunDataFlashSteps(const DataFlashRunPorts& ports, const DataFlashJob& job);
// The worker's body: the steps, then, whatever their end, a 1 ms pause, the link closed and Finish with the
// result, which it returns.
DataFlashResult RunDataFlash(const DataFlashRunPorts& ports, const DataFlashJob& job);

} // namespace lumetra::programming
