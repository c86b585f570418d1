#include "cli/terminal_progress.h"

#include <chrono>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace lumetra::cli {

namespace {

constexpr int kBarWidth = 30;

std::optional<std::int64_t> steadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool isTerminal(std::FILE* out)
{
#ifdef _WIN32
    return _isatty(_fileno(out)) != 0;
#else
    return ::isatty(::fileno(out)) == 1;
#endif
}

} // namespace

TerminalProgress::TerminalProgress(std::FILE* out, const std::atomic<bool>& interrupted)
    : out_(out)
    , interrupted_(interrupted)
    , terminal_(isTerminal(out))
    , model_(steadyMilliseconds)
{
}

void TerminalProgress::showProgress()
{
    model_.show();
}

void TerminalProgress::setStep(std::string_view caption)
{
    endLine();
    model_.setStep(caption);
    lastTenth_ = -1;
    if (!terminal_) {
        std::fprintf(out_, "%s\n", model_.caption().c_str());
        std::fflush(out_);
    }
}

void TerminalProgress::setRange(std::uint64_t total)
{
    model_.setRange(total);
    lastTenth_ = -1;
}

void TerminalProgress::setPosition(std::uint64_t position)
{
    model_.setPosition(position);
    draw();
}

bool TerminalProgress::cancelRequested()
{
    if (interrupted_)
        model_.pressButton();
    return model_.cancelRequested();
}

void TerminalProgress::beginErase()
{
    endLine();
    std::fprintf(out_, "Flash Erasing...\n");
    std::fflush(out_);
}

void TerminalProgress::endErase()
{
    model_.show();
}

void TerminalProgress::showResult(programming::RunResult result)
{
    endLine();
    model_.showResult(result);
    std::fprintf(out_, "%s\n", model_.caption().c_str());
    std::fflush(out_);
}

void TerminalProgress::draw()
{
    if (!terminal_) {
        const int tenth = model_.percent() / 10;
        if (tenth != lastTenth_) {
            lastTenth_ = tenth;
            std::fprintf(out_, "  %s\n", model_.percentText().c_str());
            std::fflush(out_);
        }
        return;
    }
    const int filled = model_.percent() * kBarWidth / 100;
    const std::string line = model_.caption() + " [" + std::string(static_cast<std::size_t>(filled), '#')
        + std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') + "] " + model_.percentText();
    if (line == drawn_)
        return;
    std::fprintf(out_, "\r%s\033[K", line.c_str());
    std::fflush(out_);
    drawn_ = line;
}

void TerminalProgress::endLine()
{
    if (terminal_ && !drawn_.empty()) {
        std::fprintf(out_, "\n");
        drawn_.clear();
    }
}

} // namespace lumetra::cli
