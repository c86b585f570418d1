// The three data-flash commands of the F2834x rows: the checks of the program against the chosen memory, the
// data-flash algorithm from the image set, monitoring stopped and remembered, the link at target baud code 4 with
// the firmware gate, and the dialog that runs the worker. After a successful run the main window finishes the
// command with CompleteDataFlash.
#pragma once

#include "programming/data_flash_run.h"
#include "programming/download_command.h"
#include "programming/image_set_choice.h"

#include "core/configuration.h"
#include "core/user_prompts.h"
#include "image/data_flash_image.h"
#include "link/firmware_version.h"
#include "link/pod_link.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::programming {

// Opens the data-flash dialog modally with the title; the dialog, once shown, starts the run of the job.
class DataFlashDialogHost {
public:
    virtual ~DataFlashDialogHost() = default;
    virtual void runModal(std::string_view title, DataFlashJob job) = 0;
};

// The state a started run leaves for its completion: the mode and the monitoring to restart (write modes only).
struct DataFlashRunState {
    std::optional<link::DataFlashMode> mode;
    std::optional<int> restoreMonitoring;
};

struct DataFlashPorts {
    link::CPodLink& link;
    core::UserPrompts& prompts;
    LinkTakeover& takeover;
    DataFlashDialogHost& dialog;
    const std::atomic<bool>& programmingBusy;
    const std::atomic<bool>& threadBusy;
    DataFlashRunState& state; // set before the dialog opens
};

// What the commands check and write of the loaded program.
struct DataFlashProgram {
    bool hasData = false;
    std::uint16_t targetId = 0;
    image::DataFlashImage image;
};
DataFlashProgram dataFlashProgramOf(const image::ProgramImage& image);

struct DataFlashRequest {
    link::DataFlashMode mode = link::DataFlashMode::Erase;
    core::LinkConfig link;
    core::DeviceConfig device;
    ImageSetSource images;
};

struct DataFlashOutcome {
    bool started = false; // the dialog ran
    std::string message; // the message shown when the command stopped before the dialog
};

// "DSP2834x 데이터 플래시 Erase", "... Write", "... Write & Verify".
std::string dataFlashTitle(link::DataFlashMode mode);
// The first failing check of a command, empty when it may run. Erase checks nothing of the program.
std::string checkDataFlash(link::DataFlashMode mode, const DataFlashProgram& program, int type);
// The menu entries are enabled with a program loaded on the rows with a data flash.
bool dataFlashCommandsEnabled(bool programLoaded, int deviceIndex);

// Does nothing while a run or a download is busy, or on a row without a data flash.
DataFlashOutcome DataFlashCommand(
    const DataFlashPorts& ports, const DataFlashRequest& request, const DataFlashProgram& program);

struct DataFlashCompletionPorts {
    link::CPodLink& link;
    core::UserPrompts& prompts;
    LinkTakeover& takeover;
    std::function<void(link::Milliseconds)> pause;
};

// The success message of the mode ("데이터 플래시 Write 동작을 성공적으로 마쳤읍니다. ...").
std::string_view dataFlashSuccessMessage(link::DataFlashMode mode);

// After a successful run: with `EEPROM Reset Flag` and monitoring to restart, the target reset over the
// configured link and monitoring restarted; otherwise the mode's success message. The mode is cleared.
void CompleteDataFlash(const DataFlashCompletionPorts& ports, const core::LinkConfig& link, bool resetAfterWrite,
    DataFlashRunState& state);

} // namespace lumetra::programming
