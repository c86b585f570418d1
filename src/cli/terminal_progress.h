// The progress of a programming run on the command line: a bar redrawn in place on a terminal, plain lines
// (each step, then every tenth of its range) otherwise; Ctrl+C is the Cancel button.
#pragma once

#include "programming/progress_model.h"
#include "programming/progress_port.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace lumetra::cli {

class TerminalProgress : public programming::ProgressPort {
public:
    TerminalProgress(std::FILE* out, const std::atomic<bool>& interrupted);

    void showProgress() override;
    void setStep(std::string_view caption) override;
    void setRange(std::uint64_t total) override;
    void setPosition(std::uint64_t position) override;
    bool cancelRequested() override;
    void setButtonEnabled(bool) override { }
    void beginErase() override;
    void endErase() override;
    void showResult(programming::RunResult result) override;

private:
    void draw();
    void endLine();

    std::FILE* out_;
    const std::atomic<bool>& interrupted_;
    const bool terminal_;
    programming::ProgressModel model_;
    std::string drawn_;
    int lastTenth_ = -1;
};

} // namespace lumetra::cli
