// The runner of captured tools: one child at a time, idle -> running -> stopping -> idle. Its hooks, bound by
// the application: on start (wait cursor on), on output text, on a notice of its own, on end (wait cursor off).
// A stop is bounded: the child is asked to end, then killed after the waits.
#pragma once

#include "tools/tool_launch.h"

#include <functional>
#include <string>
#include <string_view>

namespace lumetra::tools {

// Asked before a second console tool starts while one runs.
inline constexpr std::string_view kStopRunningToolQuestion
    = "실행 중인 사용자 도구가 있읍니다.\n실행 중인 도구를 종료하고 새 도구를 실행하시겠읍니까?";

// How long a stop waits for the child after asking it to end, and after killing it.
inline constexpr int kStopGraceMs = 500;
inline constexpr int kKillWaitMs = 1000;
// How long a start waits for the program to be running.
inline constexpr int kStartWaitMs = 5000;

// "Unable to start %s\n" with the command line, whatever its length.
std::string unableToStartText(std::string_view commandLine);

// Port to the child process.
class ChildProcess {
public:
    virtual ~ChildProcess() = default;
    // True once the program runs.
    virtual bool start(const ConsoleLaunch& launch) = 0;
    virtual bool running() const = 0;
    virtual void requestEnd() = 0;
    virtual void kill() = 0;
    // True when the child has ended within `milliseconds`.
    virtual bool waitForEnd(int milliseconds) = 0;
};

enum class OutputStream { Output, Error };

struct RunnerHooks {
    std::function<void()> started;
    std::function<void(OutputStream, std::string_view)> output; // bytes of the console's code page
    std::function<void(std::string_view)> notice; // UTF-8 text of the runner's own
    std::function<void()> ended;
};

enum class RunnerState { Idle, Running, Stopping };

class ToolRunner {
public:
    ToolRunner(ChildProcess& child, RunnerHooks hooks);

    // From idle only (false while a child runs). A start that fails says so through the notice hook and
    // stays idle.
    bool start(const ConsoleLaunch& launch);
    // Output of the running child.
    void received(OutputStream stream, std::string_view bytes);
    // The child ended by itself.
    void childEnded();
    // Ends a running child: asked to end, killed when it is still there after kStopGraceMs, then waited for
    // kKillWaitMs at most. Nothing happens when idle.
    void stop();

    RunnerState state() const { return state_; }
    bool isRunning() const { return state_ == RunnerState::Running; }

private:
    void finish();

    ChildProcess& child_;
    RunnerHooks hooks_;
    RunnerState state_ = RunnerState::Idle;
};

} // namespace lumetra::tools
