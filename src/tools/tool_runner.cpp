#include "tools/tool_runner.h"

#include <utility>

namespace lumetra::tools {

std::string unableToStartText(std::string_view commandLine)
{
    std::string text = "Unable to start ";
    text += commandLine;
    text += '\n';
    return text;
}

ToolRunner::ToolRunner(ChildProcess& child, RunnerHooks hooks)
    : child_(child)
    , hooks_(std::move(hooks))
{
}

bool ToolRunner::start(const ConsoleLaunch& launch)
{
    if (state_ != RunnerState::Idle)
        return false;
    if (!child_.start(launch)) {
        if (hooks_.notice)
            hooks_.notice(unableToStartText(launch.commandLine));
        return false;
    }
    state_ = RunnerState::Running;
    if (hooks_.started)
        hooks_.started();
    return true;
}

void ToolRunner::received(OutputStream stream, std::string_view bytes)
{
    if (state_ != RunnerState::Idle && !bytes.empty() && hooks_.output)
        hooks_.output(stream, bytes);
}

void ToolRunner::childEnded()
{
    // While stopping, the stop itself finishes.
    if (state_ == RunnerState::Running)
        finish();
}

void ToolRunner::stop()
{
    if (state_ != RunnerState::Running)
        return;
    state_ = RunnerState::Stopping;
    if (child_.running()) {
        child_.requestEnd();
        if (!child_.waitForEnd(kStopGraceMs)) {
            child_.kill();
            child_.waitForEnd(kKillWaitMs);
        }
    }
    finish();
}

void ToolRunner::finish()
{
    state_ = RunnerState::Idle;
    if (hooks_.ended)
        hooks_.ended();
}

} // namespace lumetra::tools
