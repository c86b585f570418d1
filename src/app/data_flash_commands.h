// The three data-flash commands of the application: the command over the main frame's link with the loaded
// program and the stored settings, the worker started by the dialog, and the completion the worker's success
// posts back to the user interface thread.
#pragma once

#include "app/application_link_takeover.h"
#include "app/sci_boot_download.h"

#include "programming/data_flash_command.h"
#include "programming/data_flash_worker.h"

#include <atomic>
#include <functional>

namespace lumetra::app {

class Application;

// Hands a call to the user interface thread (the desktop queues it; tests run it later themselves).
using UiPost = std::function<void(std::function<void()>)>;

class DataFlashCommands {
public:
    DataFlashCommands(Application& app, programming::DataFlashDialogHost& host,
        programming::DataFlashDialogPort& dialog, ImageSetLocations images, UiPost post);
    ~DataFlashCommands();
    DataFlashCommands(const DataFlashCommands&) = delete;
    DataFlashCommands& operator=(const DataFlashCommands&) = delete;

    void run(link::DataFlashMode mode);
    bool enabled() const;
    // Called by the dialog once it is shown.
    void startRun(programming::DataFlashJob job);
    // The dialog's "취소".
    void requestCancel() { cancel_ = true; }
    // The worker's success, on the user interface thread.
    void complete();
    // The worker's failure or cancel, on the user interface thread.
    void failed(programming::DataFlashResult result);
    // Waits for the worker thread (tests, shutdown).
    void join() { worker_.join(); }

    const programming::DataFlashOutcome& lastOutcome() const { return last_; }

private:
    Application& app_;
    ApplicationLinkTakeover takeover_;
    programming::DataFlashDialogHost& host_;
    programming::DataFlashDialogPort& dialog_;
    ImageSetLocations images_;
    UiPost post_;
    std::atomic<bool> cancel_ {false};
    programming::DataFlashOutcome last_;
    programming::DataFlashRunState state_;
    programming::DataFlashWorker worker_;
};

} // namespace lumetra::app
