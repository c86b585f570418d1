#include "core/configuration.h"
#include "core/qt/qsettings_store.h"
#include "support/test_paths.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace lumetra::core::qt {
namespace {

TEST(QSettingsStore, IntegersAndKoreanTextsSurviveAReopen)
{
    const test::ScratchDir dir;
    const auto file = dir / "settings.ini";
    {
        QSettingsStore store(file);
        store.writeInt("Main Configuration", "CPU TYPE", 38);
        store.writeInt("Main Configuration", "Left", -120);
        store.writeInt("Graph Color", "MG Ch1 Color", 0x00B5FFE7);
        store.writeInt("Main Configuration", "Big", std::numeric_limits<std::int32_t>::min());
        store.writeText("User Menu", "MenuName0", "펌웨어 다운로드");
        store.writeText("Main Configuration", "Coff File Path", "C:\\작업\\모터 제어.out");
        store.writeText("Graph Env", "MetaFile Init Dir", "");
        EXPECT_TRUE(store.flush());
    }
    const QSettingsStore store(file);
    EXPECT_EQ(store.readInt("Main Configuration", "CPU TYPE", 26), 38);
    EXPECT_EQ(store.readInt("Main Configuration", "Left", 100), -120);
    EXPECT_EQ(store.readInt("Graph Color", "MG Ch1 Color", 0), 0x00B5FFE7);
    EXPECT_EQ(store.readInt("Main Configuration", "Big", 0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(store.readText("User Menu", "MenuName0", "x"), "펌웨어 다운로드");
    EXPECT_EQ(store.readText("Main Configuration", "Coff File Path", "x"), "C:\\작업\\모터 제어.out");
    EXPECT_EQ(store.readText("Graph Env", "MetaFile Init Dir", "x"), "") << "a stored empty text is not absent";
}

TEST(QSettingsStore, AbsentOrUnreadableValuesGiveTheDefault)
{
    const test::ScratchDir dir;
    QSettingsStore store(dir / "settings.ini");
    EXPECT_EQ(store.readInt("Main Configuration", "Time Out", 200), 200);
    EXPECT_EQ(store.readText("Graph Env", "Max Graph Value", "10"), "10");

    store.writeText("Main Configuration", "Time Out", "빠르게");
    EXPECT_EQ(store.readInt("Main Configuration", "Time Out", 200), 200);
    store.writeInt("Main Configuration", "Time Interval", 250);
    EXPECT_EQ(store.readText("Main Configuration", "Time Interval", ""), "250");
    EXPECT_EQ(store.readInt("Other Section", "Time Interval", 7), 7) << "sections are separate";
}

TEST(QSettingsStore, SectionsAreGroupsOfTheIniFile)
{
    const test::ScratchDir dir;
    const auto file = dir / "settings.ini";
    {
        QSettingsStore store(file);
        saveLinkConfig(store, LinkConfig {2, 5, 100, 200, 3, PortType::Serial, false});
    }
    QSettings raw(QString::fromStdString(file.string()), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Main Configuration/Baud Rate").toInt(), 4);
    EXPECT_EQ(raw.value("Main Configuration/COM Port").toInt(), 2);

    const QSettingsStore store(file);
    EXPECT_EQ(loadLinkConfig(store).baudCode, 4);
}

TEST(QSettingsStore, NativeLocationCarriesTheOrganisationAndApplication)
{
    const QSettingsStore store;
    EXPECT_TRUE(store.location().contains(QStringLiteral("Korimat")));
    EXPECT_TRUE(store.location().contains(QStringLiteral("Vestral Lumetra V2.2")));
}

TEST(QSettingsStore, UnwritableFileIsReportedByFlush)
{
    const test::ScratchDir dir;
    QSettingsStore store(dir / "missing-folder" / "settings.ini");
    store.writeInt("Main Configuration", "Top", 1);
    std::filesystem::create_directories(dir / "missing-folder" / "settings.ini");
    EXPECT_FALSE(store.flush());
}

} // namespace
} // namespace lumetra::core::qt
