// "SCI 부트(&B)": the checks of the loaded program against the selected device, the choice of the image set,
// the link prepared for the run (monitoring and graph acquisition stopped, the target baud, the firmware gate),
// the run itself and the link restored afterwards.
#pragma once

#include "programming/image_set_choice.h"
#include "programming/program_data.h"
#include "programming/progress_port.h"
#include "programming/run_link.h"
#include "programming/run_result.h"

#include "core/configuration.h"
#include "core/user_prompts.h"
#include "link/pod_link.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::programming {

inline constexpr std::string_view kNoProgramDataMessage = "다운로드할 프로그램 데이터가 없읍니다.";
inline constexpr std::string_view kNotLf240xCoffMessage = "현재 선택한 COFF 파일은 TMS320LF240x/A용이 아닙니다.";
inline constexpr std::string_view kNotF28xCoffMessage = "현재 선택한 COFF 파일은 TMS320F28x용이 아닙니다.";
inline constexpr std::string_view kNoFlashDataMessage = "FLASH 영역에 다운로드할 Program Data가 없읍니다.";
inline constexpr std::string_view kNoRamDataMessage = "RAM 영역에 다운로드할 Program Data가 없읍니다.";

// What the command takes over from the main window while it runs.
class LinkTakeover {
public:
    virtual ~LinkTakeover() = default;
    virtual void stopGraphAcquisition() = 0;
    // Stops the running monitoring and returns which (a monitor kind), to be resumed afterwards.
    virtual std::optional<int> suspendMonitoring() = 0;
    virtual void resumeMonitoring(std::optional<int> kind) = 0;
};

// A front end without monitoring and graph windows (the command line) has nothing to take over.
class NoLinkTakeover final : public LinkTakeover {
public:
    void stopGraphAcquisition() override { }
    std::optional<int> suspendMonitoring() override { return std::nullopt; }
    void resumeMonitoring(std::optional<int>) override { }
};

// The window after a flash download: "FLASH Writing is OK !!!", closed by itself after 1000 ms.
class FlashNotice {
public:
    virtual ~FlashNotice() = default;
    virtual void show() = 0;
};

struct DownloadPorts {
    link::CPodLink& link;
    ProgressPort& progress;
    core::UserPrompts& prompts;
    LinkTakeover& takeover;
    FlashNotice& notice;
    std::atomic<bool>& programmingBusy;
    const std::atomic<bool>& dataFlashBusy;
    std::function<void(link::Milliseconds)> pause; // the fixed wait before the notice
};

struct DownloadRequest {
    core::LinkConfig link; // port, transport and the monitoring baud restored afterwards
    core::DeviceConfig device;
    ImageSetSource images;
};

enum class DownloadPath { Lf240x, F28xFlash, F28xRam };

struct DownloadOutcome {
    // The run's result; nullopt when a check, the image set or the link stopped the command before a run.
    std::optional<RunResult> result;
    // The message the command showed, if any (the last one).
    std::string message;
    // After a successful run the POD could not be set back to the monitoring baud.
    bool baudRestoreFailed = false;
};

// The command checks in order: nullopt with the message when one fails. After the family's check, a section
// outside the device's memory is refused (see section_placement.h).
struct DownloadCheck {
    std::optional<DownloadPath> path;
    std::string message;
};
DownloadCheck checkDownload(const ProgramData& program, int deviceCode);

// The target baud code of a run: 2 for LF240x, 3 for the F2837xS rows, 4 otherwise.
int runTargetBaud(int deviceCode);

DownloadOutcome DownloadCommand(const DownloadPorts& ports, const DownloadRequest& request, const ProgramData& program);

} // namespace lumetra::programming
