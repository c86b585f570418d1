#include "programming/data_flash_run.h"

#include "programming/block_words.h"
#include "programming/boot_timeouts.h"
#include "programming/data_flash_counts.h"

#include <optional>

namespace lumetra::programming {

namespace {

constexpr std::uint16_t kKeyValue = 0x08AA;
constexpr std::uint16_t kReservedValue = 0x00FF;
constexpr int kReservedWords = 8;
constexpr int kFallbackTargetBaud = 2; // 38400
constexpr int kRecordTargetBaud = 4; // 115200
constexpr link::Milliseconds kBeforeInit {10};
constexpr link::Milliseconds kBeforeDisconnect {1};

// The dialog's bar and the shared cancel flag, as the word stream of the algorithm download reports them.
class DialogWordProgress : public WordProgress {
public:
    DialogWordProgress(DataFlashDialogPort& dialog, const std::atomic<bool>& cancel)
        : dialog_(dialog)
        , cancel_(cancel)
    {
    }
    void setPosition(std::uint64_t position) override { dialog_.setPosition(position); }
    bool cancelRequested() override { return cancel_.load(); }

private:
    DataFlashDialogPort& dialog_;
    const std::atomic<bool>& cancel_;
};

class Steps {
public:
    Steps(const DataFlashRunPorts& ports, const DataFlashJob& job)
        : ports_(ports)
        , job_(job)
        , link_(ports.link)
        , dialog_(ports.dialog)
        , length_(static_cast<std::uint32_t>(job.image.length()))
    {
    }

    DataFlashResult run();

private:
    bool boot();
    // nullopt when the algorithm runs.
    std::optional<DataFlashResult> downloadAlgorithm();
    bool initialise();
    DataFlashResult erase();
    // Records 73 (program) or 74 (verify) for every page.
    DataFlashResult pages(bool verify);

    const DataFlashRunPorts& ports_;
    const DataFlashJob& job_;
    link::CPodLink& link_;
    DataFlashDialogPort& dialog_;
    const std::uint32_t length_;
};

bool Steps::boot()
{
    dialog_.log("[INFO]: SCI BOOT Staring...");
    if (!link_.EnterBootMode())
        return false;
    if (!link_.AutoBaudF28x()) {
        link_.Purge();
        if (!link_.SetTargetBaud(kFallbackTargetBaud) || !link_.EnterBootMode() || !link_.AutoBaudF28x())
            return false;
    }
    if (!link_.SendBootWord('U', kKeyValue, kAckTimeout))
        return false;
    for (int i = 0; i < kReservedWords; ++i) {
        if (!link_.SendBootWord('U', kReservedValue, kAckTimeout))
            return false;
    }
    if (!link_.SendBoot32(0, kAckTimeout))
        return false;
    link_.Purge();
    return true;
}

std::optional<DataFlashResult> Steps::downloadAlgorithm()
{
    dialog_.log("[INFO]: Algorithm Code Downloading..");
    dialog_.setButtonEnabled(true);
    const std::uint64_t total = job_.algorithm.totalWords();
    dialog_.setRange(total);
    if (job_.algorithm.segments.empty())
        return DataFlashResult::AlgorithmDownloadFailed;
    DialogWordProgress progress(dialog_, ports_.cancel);
    std::uint64_t position = 0;
    const BlockOutcome outcome
        = sendImageSegments(link_, job_.algorithm.segments, kBootChunkWords, {progress, position, 1});
    if (outcome != BlockOutcome::Sent)
        return outcome == BlockOutcome::Canceled ? DataFlashResult::Canceled : DataFlashResult::AlgorithmDownloadFailed;
    dialog_.setPosition(total);
    link_.Purge();
    return std::nullopt;
}

bool Steps::initialise()
{
    dialog_.log("[INFO]: Algorithm Code Init-Action is starting..");
    dialog_.setPosition(0);
    ports_.pause(kBeforeInit);
    link_.Purge();
    dialog_.setButtonEnabled(false);
    if (!link_.SetTargetBaud(kRecordTargetBaud) || !link_.DataFlashInit(static_cast<std::uint8_t>(job_.type)))
        return false;
    link_.Purge();
    return true;
}

DataFlashResult Steps::erase()
{
    dialog_.log("[INFO]: Data Flash Erasing is starting..");
    dialog_.setButtonEnabled(true);
    const std::uint32_t sectors = dataFlashSectorsToErase(length_, job_.type, job_.eraseAll);
    dialog_.setRange(sectors);
    for (std::uint32_t i = 0; i < sectors; ++i) {
        if (!link_.DataFlashEraseSector(i))
            return DataFlashResult::ErasingFailed;
        if (ports_.cancel.load())
            return DataFlashResult::Canceled;
        dialog_.setPosition(i + 1);
    }
    link_.Purge();
    return DataFlashResult::ErasingOk;
}

DataFlashResult Steps::pages(bool verify)
{
    dialog_.log(verify ? "[INFO]: Data Flash Verifying is starting.." : "[INFO]: Data Flash Programing is starting..");
    dialog_.setPosition(0);
    const std::uint32_t pages = dataFlashPagesToProgram(length_, job_.type);
    dialog_.setRange(pages);
    const DataFlashResult failed = verify ? DataFlashResult::VerifyingFailed : DataFlashResult::ProgrammingFailed;
    for (std::uint32_t i = 0; i < pages; ++i) {
        const auto page = job_.image.page(i);
        const std::uint8_t last = dataFlashLastByteIndex(i, pages, length_);
        const bool done = verify ? link_.DataFlashVerifyPage(i, last, page) : link_.DataFlashProgramPage(i, last, page);
        if (!done)
            return failed;
        if (ports_.cancel.load())
            return DataFlashResult::Canceled;
        dialog_.setPosition(i + 1);
    }
    link_.Purge();
    return verify ? DataFlashResult::ProgrammingVerifyingOk : DataFlashResult::ProgrammingOk;
}

DataFlashResult Steps::run()
{
    if (!boot())
        return DataFlashResult::SciBootFailed;
    if (const auto failed = downloadAlgorithm())
        return *failed;
    if (!initialise())
        return DataFlashResult::AlgorithmInitFailed;
    const DataFlashResult erased = erase();
    if (erased != DataFlashResult::ErasingOk || job_.mode == link::DataFlashMode::Erase)
        return erased;
    const DataFlashResult programmed = pages(false);
    if (programmed != DataFlashResult::ProgrammingOk || job_.mode == link::DataFlashMode::Write)
        return programmed;
    return pages(true);
}

} // namespace

DataFlashResult RunDataFlashSteps(const DataFlashRunPorts& ports, const DataFlashJob& job)
{
    return Steps(ports, job).run();
}

DataFlashResult RunDataFlash(const DataFlashRunPorts& ports, const DataFlashJob& job)
{
    const DataFlashResult result = RunDataFlashSteps(ports, job);
    ports.pause(kBeforeDisconnect);
    ports.link.Disconnect();
    ports.dialog.finish(result);
    return result;
}

} // namespace lumetra::programming
