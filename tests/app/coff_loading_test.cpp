#include "app_test_doubles.h"

#include "app/window_title.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace lumetra;
using namespace lumetra::app;
using namespace lumetra::app::test;

namespace {

constexpr std::string_view kMain = "Main Configuration";
const std::string kDate = "2024/03/05  07:08:09";

class CoffLoadingTest : public ::testing::Test {
protected:
    std::filesystem::path coffFile(const std::string& name, std::uint32_t counterAddress = 0x8000)
    {
        const auto path = h.scratch / name;
        writeTestCoff(path, counterAddress);
        return path;
    }

    std::filesystem::path textFile(const std::string& name)
    {
        const auto path = h.scratch / name;
        std::ofstream(path) << "not an object file at all, just text";
        return path;
    }

    void registerVariable(std::string name, std::uint32_t address)
    {
        h.app->registeredVariables().push_back(image::CDataObject {std::move(name), address, 3, "", 2});
    }

    AppHarness h;
};

TEST_F(CoffLoadingTest, OpeningAChosenFileSetsTitleSizeRecentListAndFolder)
{
    h.start();
    const auto path = coffFile("prog.out");

    EXPECT_EQ(h.app->OpenCoffChosenByUser(path), image::CoffLoadResult::Loaded);

    EXPECT_TRUE(h.prompts.messages.empty());
    EXPECT_EQ(
        h.frame.title, "Vestral Lumetra V2.2 for TI C2000 DSP - " + path.string() + " , Date : 2024/03/05  07:08:09");
    EXPECT_EQ(h.frame.pane(StatusPane::Size), "Size : 0x000002");
    EXPECT_EQ(h.frame.sectionPageShown, 1);
    EXPECT_GE(h.frame.symbolListRefreshes, 1);
    EXPECT_EQ(h.app->image().symbols().count(), 1u);
    EXPECT_EQ(storedText(h.store, kMain, "Coff File Directory"), (h.scratch.path() / "").string());
    EXPECT_EQ(storedText(h.store, "Recent File List", "File1"), path.string());
    EXPECT_EQ(h.app->coffFilePath(), path.string());
    EXPECT_EQ(h.cursor.shown, 1);
    EXPECT_EQ(h.cursor.restored, 1);
}

TEST_F(CoffLoadingTest, TheTitleLeavesTheDateOutWhenTheFileTimeIsUnknown)
{
    h.start();
    h.fileTimes.time.reset();
    const auto path = coffFile("prog.out");

    h.app->OpenCoffChosenByUser(path);

    EXPECT_EQ(h.frame.title, "Vestral Lumetra V2.2 for TI C2000 DSP - " + path.string());
    EXPECT_EQ(fileDateText({2009, 11, 2, 23, 5, 0}), "2009/11/02  23:05:00");
}

TEST_F(CoffLoadingTest, AFileThatIsNotCoffFailsWithItsMessageAndAReloadTriesItAgain)
{
    h.start();
    ASSERT_EQ(h.app->OpenCoffChosenByUser(coffFile("good.out")), image::CoffLoadResult::Loaded);
    const std::string titleBefore = h.frame.title;
    const auto bad = textFile("notes.txt");

    EXPECT_EQ(h.app->OpenCoffChosenByUser(bad), image::CoffLoadResult::NotCoff);

    const core::DialogMessage notCoff {"COFF 파일 포맷이 아닙니다.", MessageIcon::Error};
    EXPECT_EQ(h.prompts.messages, std::vector<core::DialogMessage> {notCoff});
    EXPECT_EQ(h.frame.pane(StatusPane::Size), "Size : 0x000000");
    EXPECT_EQ(h.frame.title, titleBefore);
    EXPECT_TRUE(h.app->image().empty());
    EXPECT_TRUE(h.app->image().symbols().empty());
    EXPECT_EQ(h.app->coffFilePath(), bad.string());
    EXPECT_EQ(h.app->recentFiles().entries().size(), 1u) << "only successes enter the recent list";

    ASSERT_TRUE(h.app->reloadEnabled());
    EXPECT_EQ(h.app->ReloadCoff(), image::CoffLoadResult::NotCoff);
    EXPECT_EQ(h.prompts.messages, (std::vector<core::DialogMessage> {notCoff, notCoff}));
}

TEST_F(CoffLoadingTest, ACoffFileWithoutSymbolsLoadsSilently)
{
    h.start();
    ASSERT_EQ(h.app->OpenCoffChosenByUser(coffFile("with.out")), image::CoffLoadResult::Loaded);
    const auto path = h.scratch / "bare.out";
    writeTestCoff(path, 0, false);

    EXPECT_EQ(h.app->OpenCoffChosenByUser(path), image::CoffLoadResult::LoadedWithoutSymbols);

    EXPECT_TRUE(h.prompts.messages.empty());
    EXPECT_TRUE(h.app->image().symbols().empty());
    EXPECT_FALSE(h.app->image().empty());
    EXPECT_EQ(h.frame.title, loadedFileTitle(path.string(), kDate));
}

TEST_F(CoffLoadingTest, AFileThatCannotBeOpenedIsReportedOnlyWhenTheUserChoseIt)
{
    h.start();
    const auto missing = h.scratch / "missing.out";

    EXPECT_EQ(h.app->OpenByPath(missing), image::CoffLoadResult::CannotOpen);
    EXPECT_TRUE(h.prompts.messages.empty());

    EXPECT_EQ(h.app->OpenCoffChosenByUser(missing), image::CoffLoadResult::CannotOpen);
    EXPECT_EQ(h.prompts.messages,
        (std::vector<core::DialogMessage> {{"선택한 파일을 여는데 실패했읍니다.", MessageIcon::Information}}));
    EXPECT_EQ(h.app->coffFilePath(), missing.string());
    EXPECT_EQ(h.frame.title, "Vestral Lumetra V2.2 for TI C2000 DSP");
}

TEST_F(CoffLoadingTest, LoadAfterDownIsSkippedAtStartUpAndRunsAfterCtrlO)
{
    const auto path = coffFile("prog.out");
    h.store.writeInt(kMain, "Load After Down", 1);
    h.store.writeText(kMain, "Coff File Path", path.string());
    RecordingSciBoot boot;
    h.make().setSciBootCommand(&boot);
    h.app->Start();
    ASSERT_FALSE(h.app->image().empty());
    EXPECT_EQ(boot.runs, 0);

    h.app->linkState().ToggleAddressMonitoring();
    bool linkUpDuringDownload = true;
    boot.onRun = [&] { linkUpDuringDownload = h.app->linkState().linkUp(); };
    h.app->OpenCoffChosenByUser(path);

    EXPECT_EQ(boot.runs, 1);
    EXPECT_FALSE(linkUpDuringDownload);
    EXPECT_EQ(h.app->linkState().runningMonitorKind(), MonitorKind::AddressBlock);
    EXPECT_TRUE(h.prompts.messages.empty());
}

TEST_F(CoffLoadingTest, WithoutAProgrammingModuleTheDownloadSaysSoInsteadOfSucceeding)
{
    h.store.writeInt(kMain, "Load After Down", 1);
    h.start();

    h.app->OpenCoffChosenByUser(coffFile("prog.out"));

    EXPECT_EQ(h.prompts.messages,
        (std::vector<core::DialogMessage> {{std::string(kSciBootUnavailableMessage), MessageIcon::Error}}));
}

TEST_F(CoffLoadingTest, TheRecentListKeepsTenNewestFirstAndMovesReopenedFilesToTheTop)
{
    h.start();
    std::vector<std::filesystem::path> files;
    for (int n = 0; n < 11; ++n) {
        files.push_back(coffFile("p" + std::to_string(n) + ".out"));
        h.app->OpenCoffChosenByUser(files.back());
    }
    const auto& entries = h.app->recentFiles().entries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front(), files[10].string());
    EXPECT_EQ(entries.back(), files[1].string());
    EXPECT_EQ(storedText(h.store, "Recent File List", "File10"), files[1].string());

    h.app->OpenCoffChosenByUser(files[5]);
    EXPECT_EQ(entries.front(), files[5].string());
    EXPECT_EQ(entries.size(), 10u);

    EXPECT_EQ(h.app->OpenRecentFile(4), image::CoffLoadResult::Loaded);
    EXPECT_EQ(entries.front(), files[7].string());
    EXPECT_EQ(storedText(h.store, "Recent File List", "File1"), files[7].string());

    EXPECT_EQ(h.app->OpenRecentFile(10), image::CoffLoadResult::CannotOpen);
    EXPECT_EQ(entries.front(), files[7].string());
}

TEST_F(CoffLoadingTest, ReloadFallsBackToTheNewestRecentFile)
{
    h.start();
    EXPECT_FALSE(h.app->reloadEnabled());
    EXPECT_EQ(h.app->ReloadCoff(), std::nullopt);

    AppHarness other;
    const auto path = other.scratch / "recent.out";
    writeTestCoff(path, 0x8000);
    other.store.writeText("Recent File List", "File1", path.string());
    other.start();
    ASSERT_TRUE(other.app->reloadEnabled());
    EXPECT_EQ(other.app->ReloadCoff(), image::CoffLoadResult::Loaded);
    EXPECT_EQ(other.app->coffFilePath(), path.string());
}

TEST_F(CoffLoadingTest, RegisteredVariablesFollowTheirSymbolsByNameWhileMonitoringGoesOn)
{
    h.start();
    registerVariable("counter", 0x1234);
    registerVariable("elsewhere", 0x4321);
    h.app->linkState().ToggleVariableMonitoring();
    ASSERT_TRUE(h.app->linkState().variableMonitoring());
    h.pod.clearTrace();

    h.app->OpenCoffChosenByUser(coffFile("prog.out", 0x8000));

    const auto& registered = h.app->registeredVariables();
    EXPECT_EQ(registered[0].address, 0x8000u);
    EXPECT_EQ(registered[0].type, 4);
    EXPECT_EQ(registered[0].viewType, 2);
    EXPECT_EQ(registered[1].address, 0x4321u);
    EXPECT_GE(h.frame.registeredRefreshes, 1);
    EXPECT_TRUE(h.app->linkState().variableMonitoring());
    EXPECT_TRUE(h.app->linkState().linkUp());
    const auto trace = h.pod.trace();
    EXPECT_TRUE(std::any_of(trace.begin(), trace.end(), [](const std::string& f) { return f[0] == 'I'; }))
        << "variable monitoring was stopped and started around the re-binding";
}

} // namespace
