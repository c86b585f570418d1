#include "app/app_test_doubles.h"
#include "app/simulated_run_settings.h"
#include "app/ui/desktop_application.h"
#include "app/ui/main_status_bar.h"
#include "app/ui/main_window.h"
#include "app/ui/message_window.h"
#include "app/ui/qt_translations.h"
#include "app/window_title.h"
#include "core/memory_settings_store.h"
#include "core/qt/qsettings_store.h"
#include "image/ui/hex_dump_model.h"
#include "image/ui/section_page.h"
#include "image/ui/symbol_list_view.h"
#include "sim/demo_program.h"
#include "sim/demo_target.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

namespace lumetra::app::ui {
namespace {

using test::AlwaysFirstInstance;

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

// What the COFF open dialog shows: the items of its file type list and the label beside it. The dialog is
// cancelled once read.
struct OpenDialogTexts {
    QStringList fileTypes;
    QString fileTypeLabel;
    bool seen = false;
};

OpenDialogTexts readCoffOpenDialog(DesktopApplication& desktop)
{
    OpenDialogTexts texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&texts] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        if (const auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            for (int i = 0; i < types->count(); ++i)
                texts.fileTypes << types->itemText(i);
        }
        if (const auto* label = dialog->findChild<QLabel*>(QStringLiteral("fileTypeLabel")))
            texts.fileTypeLabel = label->text();
        texts.seen = true;
        dialog->reject();
    });
    poll.start(10);
    desktop.window().actions().coffOpen->trigger();
    return texts;
}

TEST_F(DesktopApplicationTest, CoffOpenDialogShowsEachFilterNameOnceAndQtsTextsInKorean)
{
    const std::unique_ptr<QTranslator> korean = installQtKoreanTranslation(qtTranslationsFolder());
    ASSERT_NE(korean, nullptr) << "Qt's Korean translations are not installed";
    const OpenDialogTexts texts = readCoffOpenDialog(start());
    ASSERT_TRUE(texts.seen);
    EXPECT_EQ(texts.fileTypes, QStringList({"Coff Files (.out)", "All Files (*.*)"}));
    EXPECT_NE(texts.fileTypeLabel, QStringLiteral("Files of type:"));
    EXPECT_TRUE(std::any_of(texts.fileTypeLabel.begin(), texts.fileTypeLabel.end(), [](QChar c) {
        return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3;
    })) << texts.fileTypeLabel.toStdString();
}

TEST_F(DesktopApplicationTest, WithoutTheTranslationFilesQtsTextsStayInEnglish)
{
    QTemporaryDir empty;
    EXPECT_EQ(installQtKoreanTranslation(empty.path()), nullptr);
    const OpenDialogTexts texts = readCoffOpenDialog(start());
    ASSERT_TRUE(texts.seen);
    EXPECT_EQ(texts.fileTypeLabel, QStringLiteral("Files of type:"));
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SimulatedRunTest, LeavesTheStoredSettingsByteIdentical)
{
    QTemporaryDir scratch;
    const QString ini = scratch.filePath(QStringLiteral("settings.ini"));
    {
        core::qt::QSettingsStore user(ini.toStdString());
        user.writeText("Main Configuration", "Coff File Path", "/nowhere/motor.out");
        user.writeText("Main Configuration", "Coff File Directory", "/nowhere/");
        // A device of the other family than the demo program's, so the run replaces it.
        user.writeInt("Main Configuration", "CPU TYPE", 3);
        user.writeInt("Main Configuration", "MicroTime Length", 7);
        user.writeText("Recent File List", "File1", "/nowhere/motor.out");
        ASSERT_TRUE(user.flush());
    }
    const QByteArray before = fileBytes(ini);
    ASSERT_FALSE(before.isEmpty());
    {
        core::qt::QSettingsStore user(ini.toStdString());
        const std::unique_ptr<core::SettingsOverlay> run = simulatedRunSettings(user, sim::kDemoDeviceRow);
        sim::PodSimulator simulator;
        sim::configureDemoTarget(simulator);
        sim::InProcessTransportFactory transports(simulator);
        AlwaysFirstInstance instance;
        test::RecordingPrompts prompts;
        DesktopApplication desktop(
            *run, transports, instance, std::filesystem::path(scratch.path().toStdString()), &prompts);
        ASSERT_EQ(desktop.start(), StartResult::Started);
        desktop.openCoffFile(QStringLiteral(LUMETRA_DEMO_COFF));
        EXPECT_EQ(desktop.window().mainStatusBar()->paneText(StatusPane::Size).left(9), QStringLiteral("Size : 0x"));
        EXPECT_NE(desktop.window().mainStatusBar()->paneText(StatusPane::Size), QStringLiteral("Size : 0x000000"));
        desktop.window().actions().addressMonitoring->trigger();
        desktop.window().actions().closePort->trigger();
        desktop.window().close();
        EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front().text;
    }
    EXPECT_EQ(fileBytes(ini), before);
}

} // namespace
} // namespace lumetra::app::ui
