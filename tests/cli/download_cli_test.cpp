// lumetra-cli download against lumetra-podsim with a chip behind it: a flash and a RAM download of the samples,
// the result line and exit codes, the refusal of the simulation images without --simulated-pod.
#include "cli_process.h"
#include "podsim_process.h"

#include "support/test_paths.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace lumetra::test;

namespace {

#ifdef LUMETRA_PODSIM_PATH

QString sample(const char* name)
{
    return QString::fromStdString((*coffSamplesDir() / name).string());
}

TEST(DownloadCli, FlashesASampleOntoTheSimulatedChip)
{
    if (!coffSamplesDir())
        GTEST_SKIP() << "no COFF samples";
    Podsim podsim({QStringLiteral("--device"), QStringLiteral("35")});
    ASSERT_FALSE(podsim.device().isEmpty());
    const CliRun run = runCli({QStringLiteral("download"), sample("flash28333_api.out"), QStringLiteral("--device"),
        QStringLiteral("35"), QStringLiteral("--port"), podsim.device(), QStringLiteral("--simulated-pod")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString out = QString::fromUtf8(run.out);
    EXPECT_TRUE(out.contains(QStringLiteral("Flash Algorithm Code Downloading...\n")));
    EXPECT_TRUE(out.contains(QStringLiteral(" [ Flash Writing Completed ]\nFLASH Writing is OK !!!\n")));
}

TEST(DownloadCli, RamDownloadAndJson)
{
    if (!coffSamplesDir())
        GTEST_SKIP() << "no COFF samples";
    // pm_sincos is built for the F2837x: on the F28377S row.
    Podsim podsim({QStringLiteral("--device"), QStringLiteral("69")});
    const CliRun run
        = runCli({QStringLiteral("download"), sample("pm_sincos.out"), QStringLiteral("--device"), QStringLiteral("69"),
            QStringLiteral("--port"), podsim.device(), QStringLiteral("--simulated-pod"), QStringLiteral("--json")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(json.value(QStringLiteral("result")).toInt(-1), 0);
    EXPECT_EQ(json.value(QStringLiteral("line")).toString(), QStringLiteral(" [ Serial Boot Completed ]"));
    EXPECT_TRUE(json.value(QStringLiteral("programmed")).toBool());
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(QStringLiteral(" [ Serial Boot Completed ]")));
}

TEST(DownloadCli, WrongKeysOnALockedChipExitWithTheUnlockCode)
{
    if (!coffSamplesDir())
        GTEST_SKIP() << "no COFF samples";
    Podsim podsim({QStringLiteral("--device"), QStringLiteral("35"), QStringLiteral("--csm-password"),
        QStringLiteral("1,2,3,4,5,6,7,8")});
    const QStringList base {QStringLiteral("download"), sample("flash28333_api.out"), QStringLiteral("--device"),
        QStringLiteral("35"), QStringLiteral("--port"), podsim.device(), QStringLiteral("--simulated-pod")};
    const CliRun wrong = runCli(base + QStringList {QStringLiteral("--csm-keys"), QStringLiteral("1,2,3,4,5,6,7,9")});
    EXPECT_EQ(wrong.exitCode, 24) << "10 + result 14";
    EXPECT_TRUE(QString::fromUtf8(wrong.out).contains(QStringLiteral(" [ Error : Flash CSM Unlock Checking ]")));
    const CliRun right = runCli(base + QStringList {QStringLiteral("--csm-keys"), QStringLiteral("1,2,3,4,5,6,7,8")});
    EXPECT_EQ(right.exitCode, 0) << right.out.toStdString();
}

TEST(DownloadCli, SimulationImagesNeedTheSimulatedPod)
{
    if (!coffSamplesDir())
        GTEST_SKIP() << "no COFF samples";
    ScratchDir folder;
    const CliRun run = runCli({QStringLiteral("download"), sample("flash28333_api.out"), QStringLiteral("--device"),
        QStringLiteral("35"), QStringLiteral("--port"), QStringLiteral("/dev/null")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(QStringLiteral("TargetImages")));
    const CliRun missing = runCli({QStringLiteral("download"), sample("flash28333_api.out"), QStringLiteral("--device"),
        QStringLiteral("35"), QStringLiteral("--port"), QStringLiteral("/dev/null"), QStringLiteral("--images"),
        QString::fromStdString(folder.path().string())});
    EXPECT_EQ(missing.exitCode, 2);
    const CliRun keys = runCli({QStringLiteral("download"), sample("flash28333_api.out"), QStringLiteral("--device"),
        QStringLiteral("35"), QStringLiteral("--port"), QStringLiteral("/dev/null"), QStringLiteral("--csm-keys"),
        QStringLiteral("0,0,0,0,0,0,0,0")});
    EXPECT_EQ(keys.exitCode, 2);
    EXPECT_TRUE(QString::fromUtf8(keys.err).contains(QStringLiteral("Permanent Secure Locked")));
}

TEST(DownloadCli, JsonSaysWhyNothingRanAndAFailedRunRestoredNoBaud)
{
    if (!coffSamplesDir())
        GTEST_SKIP() << "no COFF samples";
    // An LF240x program on an F28x row stops before any port is opened.
    const CliRun refused = runCli({QStringLiteral("download"), sample("flash28333_api.out"), QStringLiteral("--device"),
        QStringLiteral("4"), QStringLiteral("--port"), QStringLiteral("/dev/null"), QStringLiteral("--json")});
    EXPECT_EQ(refused.exitCode, 1);
    const QJsonObject nothing = QJsonDocument::fromJson(refused.out).object();
    EXPECT_TRUE(nothing.value(QStringLiteral("result")).isNull()) << refused.out.toStdString();
    EXPECT_FALSE(nothing.value(QStringLiteral("message")).toString().isEmpty());
    EXPECT_FALSE(nothing.value(QStringLiteral("baudRestored")).toBool(true));
    EXPECT_EQ(nothing.value(QStringLiteral("exitCode")).toInt(), 1);

    Podsim podsim({QStringLiteral("--device"), QStringLiteral("35"), QStringLiteral("--csm-password"),
        QStringLiteral("1,2,3,4,5,6,7,8")});
    const CliRun failed = runCli({QStringLiteral("download"), sample("flash28333_api.out"), QStringLiteral("--device"),
        QStringLiteral("35"), QStringLiteral("--port"), podsim.device(), QStringLiteral("--simulated-pod"),
        QStringLiteral("--json")});
    const QJsonObject run = QJsonDocument::fromJson(failed.out).object();
    EXPECT_EQ(run.value(QStringLiteral("result")).toInt(), 14);
    EXPECT_FALSE(run.value(QStringLiteral("baudRestored")).toBool(true)) << "the failed run closed the link";
    EXPECT_EQ(failed.exitCode, 24);
}

TEST(DownloadCli, TheSimulatedPodIsOnlyEverAPseudoTerminal)
{
    if (!coffSamplesDir())
        GTEST_SKIP() << "no COFF samples";
    const QStringList base {QStringLiteral("download"), sample("flash28333_api.out"), QStringLiteral("--device"),
        QStringLiteral("35"), QStringLiteral("--simulated-pod")};
    const CliRun usb = runCli(base + QStringList {QStringLiteral("--usb")});
    EXPECT_EQ(usb.exitCode, 2);
    EXPECT_TRUE(QString::fromUtf8(usb.err).contains(QStringLiteral("--simulated-pod"))) << usb.err.toStdString();
    for (const QString& port : {QStringLiteral("/dev/null"), QStringLiteral("/dev/ttyS0"), QStringLiteral("/tmp")}) {
        const CliRun serial = runCli(base + QStringList {QStringLiteral("--port"), port});
        EXPECT_EQ(serial.exitCode, 2) << port.toStdString();
        EXPECT_TRUE(QString::fromUtf8(serial.err).contains(QStringLiteral("pseudo-terminal")))
            << serial.err.toStdString();
    }
}

#endif

} // namespace
