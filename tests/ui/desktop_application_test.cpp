#include "app/app_test_doubles.h"
#include "app/ui/desktop_application.h"
#include "app/ui/main_status_bar.h"
#include "app/ui/main_window.h"
#include "app/ui/message_window.h"
#include "app/window_title.h"
#include "core/memory_settings_store.h"
#include "image/ui/hex_dump_model.h"
#include "image/ui/section_page.h"
#include "image/ui/symbol_list_view.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>

namespace lumetra::app::ui {
namespace {

class AlwaysFirstInstance final : public SingleInstance {
public:
    bool acquire(std::string_view) override { return true; }
};

class DesktopApplicationTest : public ::testing::Test {
protected:
    DesktopApplicationTest()
    {
        // Measured before: start-up does not calibrate.
        store.writeInt("Main Configuration", "MicroTime Length", 7);
    }

    DesktopApplication& start()
    {
        desktop = std::make_unique<DesktopApplication>(
            store, transports, instance, std::filesystem::path(scratch.path().toStdString()));
        EXPECT_EQ(desktop->start(), StartResult::Started);
        return *desktop;
    }

    QString pane(StatusPane id) const { return desktop->window().mainStatusBar()->paneText(id); }

    core::MemorySettingsStore store;
    sim::PodSimulator simulator;
    sim::InProcessTransportFactory transports {simulator};
    AlwaysFirstInstance instance;
    QTemporaryDir scratch;
    std::unique_ptr<DesktopApplication> desktop;
};

TEST_F(DesktopApplicationTest, StartFillsTitleAndPanesFromTheStoredValues)
{
    DesktopApplication& d = start();
    EXPECT_EQ(d.window().windowTitle().toStdString(), kProgramTitle);
    EXPECT_EQ(pane(StatusPane::Port), QStringLiteral("USB"));
    EXPECT_EQ(pane(StatusPane::Speed), QStringLiteral("BPS : 115200"));
    EXPECT_EQ(pane(StatusPane::Link), QStringLiteral("OFF LINE"));
    EXPECT_EQ(pane(StatusPane::Size), QStringLiteral("Size : 0x000000"));
    EXPECT_EQ(pane(StatusPane::Device), QStringLiteral("F2812-150HMz(30MHz*5)"));
    EXPECT_EQ(pane(StatusPane::DataFlash), QString());
    // Nothing to reload and nothing registered: both commands wait.
    EXPECT_FALSE(d.window().actions().coffReload->isEnabled());
    EXPECT_FALSE(d.window().actions().variableMonitoring->isEnabled());
    EXPECT_FALSE(d.window().actions().closePort->isEnabled());
}

TEST_F(DesktopApplicationTest, WithoutAUsbPodThePortPaneShowsTheSerialPort)
{
    transports.ports().usbPodAttached = false;
    start();
    EXPECT_EQ(pane(StatusPane::Port), QStringLiteral("COM1"));
}

TEST_F(DesktopApplicationTest, SettingsOkRefreshesThePanes)
{
    DesktopApplication& d = start();
    const std::optional<SettingsSession> session = d.core().BeginSettingsCommand();
    ASSERT_TRUE(session);
    core::SettingsDialogState state = session->dialog;
    state.port = core::PortType::Serial;
    state.comPortPosition = 2;
    state.speedText = "9600";
    core::chooseTarget(state, 36);
    state.dataFlashPosition = 2;
    const core::SettingsDialogOutcome outcome = core::acceptSettingsDialog(state, d.core().usbAccess());
    ASSERT_TRUE(std::holds_alternative<core::SettingsDialogValues>(outcome));
    d.core().FinishSettingsCommand(*session, std::get<core::SettingsDialogValues>(outcome));

    EXPECT_EQ(pane(StatusPane::Port), QStringLiteral("COM3"));
    EXPECT_EQ(pane(StatusPane::Speed), QStringLiteral("BPS : 9600"));
    EXPECT_EQ(pane(StatusPane::Device).toStdString(), core::statusNameOf(36));
    EXPECT_EQ(pane(StatusPane::DataFlash).toStdString(), core::dataFlashNameOf(2));
}

TEST_F(DesktopApplicationTest, OpeningACoffFileFillsTheSymbolListSectionsTitleAndRecentFiles)
{
    const std::filesystem::path coff = std::filesystem::path(scratch.path().toStdString()) / "demo.out";
    test::writeTestCoff(coff, 0x8000);

    DesktopApplication& d = start();
    d.openCoffFile(QString::fromStdString(coff.string()));

    MainWindow& w = d.window();
    EXPECT_TRUE(w.windowTitle().startsWith(QString::fromStdString(std::string(kProgramTitle) + " - ")));
    EXPECT_EQ(pane(StatusPane::Size), QStringLiteral("Size : 0x000002"));
    ASSERT_EQ(w.symbolList()->model()->rowCount(), 1);
    EXPECT_EQ(w.symbolList()->model()->index(0, 0).data().toString(), QStringLiteral("counter"));
    EXPECT_EQ(w.symbolList()->model()->index(0, 1).data().toString(), QStringLiteral("0x008000"));
    EXPECT_EQ(w.messageWindow()->pages()->currentIndex(), 1);
    image::ui::SectionPage* sections = w.messageWindow()->sectionPage();
    ASSERT_EQ(sections->sectionModel()->rowCount(), 1);
    EXPECT_EQ(sections->sectionModel()->index(0, 3).data().toString(), QStringLiteral("0x2 Words"));
    EXPECT_TRUE(w.actions().coffReload->isEnabled());
    EXPECT_TRUE(w.menus().file->actions().at(5)->text().startsWith(QStringLiteral("&1 ")));

    sections->sectionList()->selectRow(0);
    EXPECT_EQ(sections->hexModel()->rowCount(), 1);
    EXPECT_TRUE(sections->hexModel()->index(0).data().toString().startsWith(QStringLiteral("0x3F4000  11 11 22 22")));
}

} // namespace
} // namespace lumetra::app::ui
