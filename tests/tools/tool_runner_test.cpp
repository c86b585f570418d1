#include "tools/tool_runner.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace lumetra::tools;

namespace {

// A child that records what the runner asks of it; `endsOnRequest` and `endsOnKill` say how it reacts.
class FakeChild final : public ChildProcess {
public:
    bool start(const ConsoleLaunch& launch) override
    {
        calls.push_back("start " + launch.program);
        alive = startSucceeds;
        return startSucceeds;
    }
    bool running() const override { return alive; }
    void requestEnd() override
    {
        calls.push_back("requestEnd");
        pendingEnd = endsOnRequest;
    }
    void kill() override
    {
        calls.push_back("kill");
        pendingEnd = endsOnKill;
    }
    bool waitForEnd(int milliseconds) override
    {
        calls.push_back("wait " + std::to_string(milliseconds));
        if (pendingEnd && alive) {
            alive = false;
            // Qt reports the end from inside the wait.
            if (onEnd)
                onEnd();
        }
        return !alive;
    }

    bool startSucceeds = true;
    bool endsOnRequest = true;
    bool endsOnKill = true;
    bool alive = false;
    bool pendingEnd = false;
    std::function<void()> onEnd;
    std::vector<std::string> calls;
};

class ToolRunnerTest : public ::testing::Test {
protected:
    ToolRunnerTest()
        : runner(child,
            {[this] { events.push_back("started"); },
                [this](OutputStream stream, std::string_view bytes) {
                    events.push_back((stream == OutputStream::Output ? "out " : "err ") + std::string(bytes));
                },
                [this](std::string_view text) { events.push_back("notice " + std::string(text)); },
                [this] { events.push_back("ended"); }})
    {
        child.onEnd = [this] { runner.childEnded(); };
    }

    ConsoleLaunch launch {"/bin/tool", "/bin/tool -x", "-x", {"-x"}, ""};
    FakeChild child;
    std::vector<std::string> events;
    ToolRunner runner;
};

TEST_F(ToolRunnerTest, RunsOneChildFromStartToEnd)
{
    runner.received(OutputStream::Output, "before");
    ASSERT_TRUE(runner.start(launch));
    EXPECT_TRUE(runner.isRunning());
    EXPECT_FALSE(runner.start(launch)) << "one child at a time";
    runner.received(OutputStream::Output, "one\n");
    runner.received(OutputStream::Error, "two\n");
    runner.received(OutputStream::Output, "");
    runner.childEnded();
    runner.received(OutputStream::Output, "after");
    EXPECT_EQ(events, (std::vector<std::string> {"started", "out one\n", "err two\n", "ended"}));
    EXPECT_EQ(runner.state(), RunnerState::Idle);
    EXPECT_EQ(child.calls, std::vector<std::string> {"start /bin/tool"});
}

TEST_F(ToolRunnerTest, AFailedStartSaysSoAndStaysIdle)
{
    child.startSucceeds = false;
    // Longer than any fixed buffer the text might be put into.
    launch.commandLine = "/bin/tool " + std::string(1000, 'a');
    EXPECT_FALSE(runner.start(launch));
    EXPECT_EQ(runner.state(), RunnerState::Idle);
    ASSERT_EQ(events.size(), 1u) << "no start and no end hook";
    EXPECT_EQ(events[0], "notice Unable to start /bin/tool " + std::string(1000, 'a') + "\n");
}

TEST_F(ToolRunnerTest, StopAsksFirstThenKillsAfterTheBoundedWaits)
{
    child.endsOnRequest = false;
    runner.start(launch);
    runner.stop();
    EXPECT_EQ(
        child.calls, (std::vector<std::string> {"start /bin/tool", "requestEnd", "wait 500", "kill", "wait 1000"}));
    EXPECT_EQ(events, (std::vector<std::string> {"started", "ended"})) << "one end, though the child ended inside stop";
    EXPECT_EQ(runner.state(), RunnerState::Idle);

    // A child that cannot even be killed still leaves the stop after its waits.
    child.calls.clear();
    child.endsOnKill = false;
    runner.start(launch);
    runner.stop();
    EXPECT_EQ(
        child.calls, (std::vector<std::string> {"start /bin/tool", "requestEnd", "wait 500", "kill", "wait 1000"}));
    EXPECT_EQ(runner.state(), RunnerState::Idle);
}

TEST_F(ToolRunnerTest, ACooperativeChildIsNotKilledAndAnIdleStopDoesNothing)
{
    runner.stop();
    EXPECT_TRUE(child.calls.empty());
    runner.start(launch);
    runner.stop();
    EXPECT_EQ(child.calls, (std::vector<std::string> {"start /bin/tool", "requestEnd", "wait 500"}));
    EXPECT_EQ(events, (std::vector<std::string> {"started", "ended"}));
}

} // namespace
