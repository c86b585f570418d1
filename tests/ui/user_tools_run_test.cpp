// Captured runs of real programs: shell scripts made by the tests, started through the tools menu's launch.
#ifndef _WIN32
#include "app/ui/message_window.h"
#include "core/memory_settings_store.h"
#include "tools/registered_tools.h"
#include "tools/ui/user_tools_controller.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

#include <csignal>
#include <filesystem>
#include <fstream>

using namespace lumetra;

namespace {

// The bound of a wait for what a child process does: reached only when it never does it.
constexpr int kNeverMs = 60000;

class RecordingPrompts final : public core::UserPrompts {
public:
    void showMessage(core::MessageIcon, std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

bool processAlive(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}

class UserToolsRunTest : public ::testing::Test {
protected:
    UserToolsRunTest()
        : messages(store)
    {
        std::filesystem::create_directories(folder / "work");
        menu.addAction(&registration);
        menu.addSeparator();
        for (QAction*& b : buttons)
            b = new QAction(&menu);
        tools::ui::ToolOutputPage page {[this] {
                                            messages.showMessagePage();
                                            messages.clearMessages();
                                        },
            [this](const QString& text) { messages.appendMessage(text); }, [this] { return messages.messageLength(); },
            [this](qsizetype count) { messages.dropOldestMessages(count); }};
        controller = std::make_unique<tools::ui::UserToolsController>(
            tools::ui::UserToolsPorts {store, prompts, probe, files, std::move(page), {},
                [this](std::string_view question) {
                    questions.emplace_back(question);
                    return answer;
                },
                [this](const tools::GuiLaunch& launch) {
                    opened.push_back(launch);
                    return true;
                },
                [this] { ++busyOn; }, [this] { ++busyOff; }},
            &menu, &registration, buttons, nullptr);
    }
    ~UserToolsRunTest() override { controller.reset(); }

    // An executable shell script in the test folder; returns its path.
    std::string script(const std::string& name, const std::string& body)
    {
        const std::filesystem::path path = folder / name;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path.string();
    }

    void registerTools(const std::vector<tools::UserTool>& rows) { tools::writeRegisteredTools(store, rows); }

    // Runs the event loop until the tool ends; true when it did (the bound only ends a wait for what never comes).
    bool waitForEnd()
    {
        if (!controller->runner().isRunning())
            return true;
        QEventLoop loop;
        QTimer::singleShot(kNeverMs, &loop, &QEventLoop::quit);
        QObject::connect(controller.get(), &tools::ui::UserToolsController::toolEnded, &loop, &QEventLoop::quit);
        loop.exec();
        return !controller->runner().isRunning();
    }

    // Runs the event loop until the page shows `text`: the tool has got as far as printing it.
    bool waitForPage(const QString& text)
    {
        QElapsedTimer bound;
        bound.start();
        while (page() != text && bound.elapsed() < kNeverMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return page() == text;
    }

    void spin(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    QString page() const { return messages.messagePage()->toPlainText(); }

    // Its own folder: test programs run side by side.
    const test::ScratchDir scratch;
    const std::filesystem::path folder = scratch.path();
    core::MemorySettingsStore store;
    RecordingPrompts prompts;
    tools::SystemPathProbe probe;
    tools::SystemProgramFiles files;
    app::ui::MessageWindow messages;
    QMenu menu;
    QAction registration;
    std::array<QAction*, tools::kMaxUserTools> buttons {};
    std::vector<std::string> questions;
    bool answer = false;
    std::vector<tools::GuiLaunch> opened;
    int busyOn = 0;
    int busyOff = 0;
    std::unique_ptr<tools::ui::UserToolsController> controller;
};

TEST_F(UserToolsRunTest, AScriptsLinesShowInOrderInTheClearedPageAndTheWaitCursorEndsWithIt)
{
    const std::string lines = script("three.sh", "echo first\npwd\necho \"third $1 $2\" >&2\n");
    registerTools({{lines + " a \"b c\"", (folder / "work").string(), "three"}});
    messages.appendMessage(QStringLiteral("old text\n"));
    messages.showSectionPage();

    controller->launch(0);
    EXPECT_EQ(busyOn, 1);
    EXPECT_EQ(messages.pages()->currentIndex(), 0) << "the message page is made active";
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(
        page(), QStringLiteral("first\n%1\nthird a b c\n").arg(QString::fromStdString((folder / "work").string())));
    EXPECT_EQ(busyOff, 1);
    EXPECT_TRUE(prompts.texts.empty());
}

TEST_F(UserToolsRunTest, GarbageOutputShowsWhatIsPrintable)
{
    const std::string garbage = script("garbage.sh", "printf 'a\\000b\\033[31mred\\033[0m\\377\\r\\nend\\r'\n");
    registerTools({{garbage, "", "garbage"}});
    controller->launch(0);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(page(), QStringLiteral("abred\uFFFD\nend\n"));
}

TEST_F(UserToolsRunTest, LaunchFailuresGiveTheirMessages)
{
    const std::string vanished = script("vanished.sh", "echo x\n");
    std::filesystem::remove(vanished);
    registerTools({{vanished, "", "a"}, {script("b.sh", "") + " x", (folder / "b.sh").string(), "b"},
        {folder.string(), "", "c"}});
    controller->launch(0);
    controller->launch(1);
    controller->launch(2);
    controller->launch(3); // nothing registered there
    EXPECT_EQ(prompts.texts,
        (std::vector<std::string> {"등록된 커맨드 라인의 파일 경로 입력이 잘못되었읍니다.\n원인: \"" + vanished
                + "\" 경로에 파일이나 폴더가 없읍니다.",
            "등록된 작업 디렉토리 입력이 잘못되었읍니다.", "등록한 실행 파일을 여는데 실패했읍니다.\n"}));
    EXPECT_EQ(busyOn, 0);
}

TEST_F(UserToolsRunTest, AProgramThatCannotStartSaysSoInThePage)
{
    const std::filesystem::path plain = folder / "not_executable.sh";
    std::ofstream(plain) << "echo never\n";
    const std::string command = plain.string() + " " + std::string(300, 'x');
    registerTools({{command, "", "plain"}});
    controller->launch(0);
    EXPECT_EQ(page(), QString::fromStdString("Unable to start " + command + "\n"));
    EXPECT_EQ(busyOn, 0);
    EXPECT_FALSE(controller->runner().isRunning());
}

TEST_F(UserToolsRunTest, AGuiProgramIsOpenedWithoutItsArguments)
{
    std::vector<char> pe(0x80 + 4 + 20 + 224);
    pe[0] = 'M';
    pe[1] = 'Z';
    pe[60] = static_cast<char>(0x80);
    pe[0x80] = 'P';
    pe[0x81] = 'E';
    pe[0x80 + 24 + 68] = 2;
    const std::filesystem::path viewer = folder / "viewer.exe";
    std::ofstream(viewer, std::ios::binary).write(pe.data(), static_cast<std::streamsize>(pe.size()));
    registerTools({{viewer.string() + " --open a.bin", (folder / "work").string(), "viewer"}});
    messages.appendMessage(QStringLiteral("kept\n"));
    controller->launch(0);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], (tools::GuiLaunch {viewer.string(), (folder / "work").string()}));
    EXPECT_EQ(page(), QStringLiteral("kept\n")) << "nothing is captured";
    EXPECT_EQ(busyOn, 0);
}

TEST_F(UserToolsRunTest, ASecondConsoleToolAsksWhetherToStopTheFirst)
{
    const std::string endless = script("endless.sh", "echo running\nexec sleep 30\n");
    const std::string quick = script("quick.sh", "echo quick\n");
    registerTools({{endless, "", "endless"}, {quick, "", "quick"}});
    controller->launch(0);
    const qint64 first = controller->child().processId();
    ASSERT_TRUE(waitForPage(QStringLiteral("running\n")));

    answer = false;
    controller->launch(1);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], std::string(tools::kStopRunningToolQuestion));
    EXPECT_TRUE(controller->runner().isRunning());
    EXPECT_TRUE(processAlive(first));
    EXPECT_EQ(page(), QStringLiteral("running\n")) << "left running, nothing started";

    answer = true;
    controller->launch(1);
    EXPECT_FALSE(processAlive(first));
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(page(), QStringLiteral("quick\n"));
    EXPECT_EQ(busyOn, 2);
    EXPECT_EQ(busyOff, 2);
}

TEST_F(UserToolsRunTest, AChildThatIgnoresItsInputAndTheEndRequestIsStoppedWithinTheBoundedWaits)
{
    const std::string stubborn = script("stubborn.sh", "trap '' TERM\necho ready\nwhile :; do sleep 0.1; done\n");
    registerTools({{stubborn, "", "stubborn"}});
    controller->launch(0);
    ASSERT_TRUE(waitForPage(QStringLiteral("ready\n"))); // the trap is set
    const qint64 pid = controller->child().processId();
    ASSERT_TRUE(processAlive(pid));

    QElapsedTimer timer;
    timer.start();
    controller->stop();
    EXPECT_LT(timer.elapsed(), tools::kStopGraceMs + tools::kKillWaitMs + 500);
    EXPECT_FALSE(processAlive(pid));
    EXPECT_FALSE(controller->runner().isRunning());
    EXPECT_EQ(busyOff, 1);
}

TEST_F(UserToolsRunTest, EndlessOutputKeepsTheWindowResponsiveAndThePageWithinItsLimit)
{
    const std::string flood = script("flood.sh", "exec yes 0123456789abcdefghijklmnopqrstuvwxyz\n");
    registerTools({{flood, "", "flood"}});
    controller->launch(0);

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QElapsedTimer elapsed;
    elapsed.start();
    spin(2000);
    const qint64 ran = elapsed.elapsed();
    ticker.stop();
    controller->stop();

    // A 20 ms timer keeps ticking while the output pours in. A starved event loop gets one or two ticks in the whole
    // run; a loop that keeps turning gets dozens, and still more than a handful on a machine loaded with other work
    // (8 in 2.4 s was seen beside two builds), which is why the bound does not scale with the time.
    EXPECT_GE(ticks, 5) << "ran " << ran << " ms";
    EXPECT_GT(messages.messageLength(), 0);
    EXPECT_LE(static_cast<std::size_t>(messages.messageLength()), tools::kMessagePageLimit);
}

} // namespace

#endif
