#include "cli/cli_process.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using lumetra::test::CliRun;
using lumetra::test::runCli;

TEST(DevicesCli, JsonListsEveryDeviceInIndexOrder)
{
    const CliRun run = runCli({QStringLiteral("devices"), QStringLiteral("--json")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_TRUE(document.isArray());
    const QJsonArray devices = document.array();
    ASSERT_EQ(devices.size(), 71);
    for (qsizetype i = 0; i < devices.size(); ++i)
        EXPECT_EQ(devices[i].toObject()[QStringLiteral("index")].toInt(), i);

    const QJsonObject first = devices[0].toObject();
    EXPECT_EQ(first[QStringLiteral("listName")].toString(), QStringLiteral("LF2401A - 30MHz(7.5MHz * 4)"));
    EXPECT_EQ(first[QStringLiteral("family")].toString(), QStringLiteral("LF240x"));
    EXPECT_EQ(first[QStringLiteral("addressFormat")].toString(), QStringLiteral("0x%04X"));
    EXPECT_EQ(first[QStringLiteral("coffTargetId")].toInt(), 0x0092);
    EXPECT_EQ(first[QStringLiteral("csmKeys")].toArray().size(), 4);

    const QJsonObject f2812 = devices[26].toObject();
    EXPECT_EQ(f2812[QStringLiteral("statusName")].toString(), QStringLiteral("F2812-150HMz(30MHz*5)"));
    EXPECT_EQ(f2812[QStringLiteral("group")].toString(), QStringLiteral("F281x"));
    EXPECT_EQ(f2812[QStringLiteral("coffTargetId")].toInt(), 0x009D);

    const QJsonObject f28343 = devices[38].toObject();
    EXPECT_EQ(f28343[QStringLiteral("statusName")].toString(), QStringLiteral("TMS320F28343-200MHz"));
    EXPECT_TRUE(f28343[QStringLiteral("dataFlash")].toBool());
    EXPECT_TRUE(f28343[QStringLiteral("csmKeys")].toArray().isEmpty());

    const QJsonArray zoneKeys = devices[70].toObject()[QStringLiteral("csmKeys")].toArray();
    ASSERT_EQ(zoneKeys.size(), 8);
    EXPECT_EQ(zoneKeys[7].toString(), QStringLiteral("Z1/2 CSMKEY3-1"));
    EXPECT_FALSE(devices[70].toObject()[QStringLiteral("dataFlash")].toBool());
}

TEST(DevicesCli, TextTableHasAHeaderAndOneLinePerDevice)
{
    const CliRun run = runCli({QStringLiteral("devices")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 72);
    EXPECT_TRUE(lines[27].contains("F2812-150HMz(30MHz*5)"));
    EXPECT_TRUE(lines[71].contains("F28379S"));
}

TEST(DevicesCli, BadInvocationsExitNonZero)
{
    EXPECT_NE(runCli({QStringLiteral("no-such-command")}).exitCode, 0);
    EXPECT_NE(runCli({QStringLiteral("devices"), QStringLiteral("stray")}).exitCode, 0);
    EXPECT_NE(runCli({QStringLiteral("devices"), QStringLiteral("--no-such-option")}).exitCode, 0);
}

} // namespace
