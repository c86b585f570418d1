// lumetra-cli dataflash against lumetra-podsim with an F2834x behind it: the boot table of the demo program in the
// simulator's SPI flash after a write, a corrupted page failing the verify with its exit code and JSON, erase of
// the largest chip, the firmware gate, and the usage errors.
#include "cli_process.h"
#include "podsim_process.h"

#include "image/program_image.h"
#include "sim/spi_data_flash.h"
#include "support/test_paths.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace lumetra::test;

namespace {

#if defined(LUMETRA_PODSIM_PATH) && defined(LUMETRA_DEMO_COFF)

const QString kDemo = QStringLiteral(LUMETRA_DEMO_COFF);

QStringList dataflash(const QString& mode, const QString& port, const QStringList& more = {})
{
    return QStringList {QStringLiteral("dataflash"), mode, kDemo, QStringLiteral("--device"), QStringLiteral("36"),
               QStringLiteral("--port"), port, QStringLiteral("--simulated-pod")}
    + more;
}

TEST(DataFlashCli, WriteLeavesExactlyTheBootTableInTheErasedSectors)
{
    ScratchDir folder;
    const QString dump = QString::fromStdString((folder / "flash.bin").string());
    CliRun run;
    {
        Podsim podsim({QStringLiteral("--device"), QStringLiteral("36"), QStringLiteral("--data-flash-dump"), dump});
        ASSERT_FALSE(podsim.device().isEmpty());
        run = runCli(dataflash(QStringLiteral("write"), podsim.device(), {QStringLiteral("--erase-used")}));
    }
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString out = QString::fromUtf8(run.out);
    EXPECT_TRUE(out.startsWith(QStringLiteral("DSP2834x 데이터 플래시 Write\n[INFO]: SCI BOOT Staring...\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("[INFO]: Data Flash Programing is starting..\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("100 %\n[INFO]: Data Flash Programing is OK\n데이터 플래시 Write 동작을")));

    lumetra::image::ProgramImage image;
    ASSERT_TRUE(lumetra::image::isLoadSuccess(image.load(kDemo.toStdString(), 36)));
    const auto table = image.dataFlashImage().bytes();
    QFile file(dump);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray flash = file.readAll();
    ASSERT_EQ(flash.size(), 0x80000); // AT25DF041A, the default type
    ASSERT_LT(table.size(), 0x10000u);
    for (std::size_t i = 0; i < table.size(); ++i)
        ASSERT_EQ(static_cast<std::uint8_t>(flash[static_cast<qsizetype>(i)]), table[i]) << i;
    for (qsizetype i = static_cast<qsizetype>(table.size()); i < 0x10000; ++i)
        ASSERT_EQ(static_cast<std::uint8_t>(flash[i]), 0xFF) << i;
    // Only the first sector was erased.
    EXPECT_EQ(static_cast<std::uint8_t>(flash[0x10000]), lumetra::sim::SpiDataFlash::oldContentByte(0x10000));
}

TEST(DataFlashCli, CorruptedPageFailsTheVerifyWithItsCodeAndJson)
{
    Podsim podsim({QStringLiteral("--device"), QStringLiteral("36"), QStringLiteral("--fault"),
        QStringLiteral("kind=corrupt-page")});
    const CliRun run = runCli(dataflash(QStringLiteral("verify"), podsim.device(), {QStringLiteral("--json")}));
    EXPECT_EQ(run.exitCode, 15) << run.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(json.value(QStringLiteral("mode")).toString(), QStringLiteral("verify"));
    EXPECT_EQ(json.value(QStringLiteral("result")).toInt(-1), 5);
    EXPECT_EQ(json.value(QStringLiteral("line")).toString(), QStringLiteral("[ERROR]: Data Flash Verifying is failed"));
    EXPECT_FALSE(json.value(QStringLiteral("ok")).toBool(true));
    EXPECT_EQ(json.value(QStringLiteral("exitCode")).toInt(), 15);
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(QStringLiteral("[INFO]: Data Flash Verifying is starting..")));
}

TEST(DataFlashCli, EraseOfTheLargestChipAndTheFirmwareGate)
{
    {
        Podsim podsim({QStringLiteral("--device"), QStringLiteral("36")});
        const CliRun run = runCli(dataflash(
            QStringLiteral("erase"), podsim.device(), {QStringLiteral("--type=4"), QStringLiteral("--json")}));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonObject json = QJsonDocument::fromJson(run.out).object();
        EXPECT_EQ(json.value(QStringLiteral("result")).toInt(-1), 6);
        EXPECT_TRUE(json.value(QStringLiteral("ok")).toBool());
        EXPECT_EQ(json.value(QStringLiteral("message")).toString(),
            QStringLiteral("데이터 플래시 Erase 동작을 성공적으로 마쳤읍니다."));
    }
    Podsim old({QStringLiteral("--device"), QStringLiteral("36"), QStringLiteral("--firmware"), QStringLiteral("18")});
    const CliRun refused = runCli(dataflash(QStringLiteral("write"), old.device()));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(
        QString::fromUtf8(refused.err)
            .contains(QStringLiteral("DSP2834x 데이터 플래시 Write 기능은 POD Firmware 버전 1.9이상만 지원됩니다.")));
}

TEST(DataFlashCli, UsageErrorsAndTheSimulationImagesOnARealPod)
{
    const QString none = QStringLiteral("/dev/null");
    EXPECT_EQ(runCli(dataflash(QStringLiteral("flash"), none)).exitCode, 2);
    EXPECT_EQ(
        runCli(dataflash(QStringLiteral("write"), none, {QStringLiteral("--type"), QStringLiteral("6")})).exitCode, 2);
    EXPECT_EQ(runCli(dataflash(QStringLiteral("write"), none,
                         {QStringLiteral("--erase-all"), QStringLiteral("--erase-used")}))
                  .exitCode,
        2);
    const CliRun row35 = runCli({QStringLiteral("dataflash"), QStringLiteral("write"), kDemo,
        QStringLiteral("--device"), QStringLiteral("35"), QStringLiteral("--port"), none});
    EXPECT_EQ(row35.exitCode, 2);
    const CliRun real = runCli({QStringLiteral("dataflash"), QStringLiteral("write"), kDemo, QStringLiteral("--device"),
        QStringLiteral("36"), QStringLiteral("--port"), none});
    EXPECT_EQ(real.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(real.err).contains(QStringLiteral("TargetImages")));
}

#endif

} // namespace
