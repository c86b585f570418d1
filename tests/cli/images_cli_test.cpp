// lumetra-cli images: a target program built for an F28335 imported as its flash algorithm, the set listed and
// checked, and a flash download onto a simulated F28335 whose chip compares against that set.
#include "cli_process.h"
#include "podsim_process.h"

#include "support/coff_writer.h"
#include "support/test_paths.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace lumetra::test;

namespace {

QString text(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

// A flash algorithm as the C2000 tools link one: the entry branch at 0, the code, the constants holding the key
// block (the symbol CsmKeys) and one more section, in the order of the file.
std::filesystem::path writeAlgorithm(const std::filesystem::path& folder)
{
    std::vector<std::uint16_t> code(120);
    for (std::size_t i = 0; i < code.size(); ++i)
        code[i] = static_cast<std::uint16_t>(0x7600 + i);
    CoffSymbol keys;
    keys.name = "_CsmKeys";
    keys.value = 0x9104;
    keys.sectionNumber = 3;
    keys.type = coffType(14, {3});
    CoffSection constants = CoffSection::withData(".econst", 0x9100, std::vector<std::uint16_t>(20, 0x1234));
    constants.flags = kSectionData;
    const std::filesystem::path file = folder / "flash_api_28335.out";
    CoffWriter()
        .addSection(CoffSection::withData(".text", 0x9000, code))
        .addSection(CoffSection::withData("codestart", 0x0000, {0x0040, 0x9000}))
        .addSection(constants)
        .addSection(CoffSection::withData("ramfuncs", 0x9200, std::vector<std::uint16_t>(12, 0x5678)))
        .addSymbol(keys)
        .writeTo(file);
    return file;
}

#ifdef LUMETRA_PODSIM_PATH
std::filesystem::path writeProgram(const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / "program.out";
    CoffWriter().addSection(CoffSection::withData(".text", 0x338000, std::vector<std::uint16_t>(300, 0x2BAD))).writeTo(file);
    return file;
}
#endif

TEST(ImagesCli, ImportsAProgramAsTheImageOfOneDevice)
{
    ScratchDir scratch;
    const std::filesystem::path set = scratch.path() / "TargetImages";
    const QStringList where {QStringLiteral("--images"), text(set)};
    const CliRun imported = runCli(QStringList {QStringLiteral("images"), QStringLiteral("import"),
                                       text(writeAlgorithm(scratch.path())), QStringLiteral("--name"),
                                       QStringLiteral("flash-algorithm-35"), QStringLiteral("--keys"),
                                       QStringLiteral("CsmKeys")}
        + where);
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();

    const CliRun listed = runCli(QStringList {QStringLiteral("images"), QStringLiteral("list"), QStringLiteral("--json")} + where);
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(listed.out).object();
    EXPECT_EQ(json.value(QStringLiteral("kind")).toString(), QStringLiteral("target"));
    const QJsonObject image = json.value(QStringLiteral("images")).toArray().at(0).toObject();
    EXPECT_EQ(image.value(QStringLiteral("devices")).toArray(), QJsonArray {35});
    const QJsonArray segments = image.value(QStringLiteral("segments")).toArray();
    ASSERT_EQ(segments.size(), 4);
    EXPECT_EQ(segments.at(0).toObject().value(QStringLiteral("words")).toInt(), 2);
    EXPECT_EQ(segments.at(1).toObject().value(QStringLiteral("address")).toInt(), 0x9000);
    const QJsonObject keys = image.value(QStringLiteral("keys")).toObject();
    EXPECT_EQ(keys.value(QStringLiteral("segment")).toInt(), 2);
    EXPECT_EQ(keys.value(QStringLiteral("offsets")).toArray().at(0).toInt(), 4);

    // The set lacks the matching flow, which only the CSM option sends.
    const CliRun checked = runCli(QStringList {QStringLiteral("images"), QStringLiteral("check"),
                                      QStringLiteral("--device"), QStringLiteral("35")}
        + where);
    EXPECT_EQ(checked.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(checked.out).contains(QStringLiteral("csm-flow-f2833x  (CSM unlock)")))
        << checked.out.toStdString();

#ifdef LUMETRA_PODSIM_PATH
    const QStringList download {QStringLiteral("download"), text(writeProgram(scratch.path())),
        QStringLiteral("--device"), QStringLiteral("35"), QStringLiteral("--simulated-pod"), QStringLiteral("--port")};
    {
        Podsim podsim({QStringLiteral("--device"), QStringLiteral("35"), QStringLiteral("--images"), text(set)});
        ASSERT_FALSE(podsim.device().isEmpty());
        const CliRun run = runCli(download + QStringList {podsim.device()} + where);
        EXPECT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.out).contains(QStringLiteral(" [ Flash Writing Completed ]")));
    }
    // A chip that compares against the simulation set does not run that algorithm.
    Podsim simulationChip({QStringLiteral("--device"), QStringLiteral("35")});
    EXPECT_NE(runCli(download + QStringList {simulationChip.device()} + where).exitCode, 0);
#endif
}

TEST(ImagesCli, ImportRefusesWhatTheImageCannotBe)
{
    ScratchDir scratch;
    const QStringList base {QStringLiteral("images"), QStringLiteral("import"), text(writeAlgorithm(scratch.path())),
        QStringLiteral("--images"), text(scratch.path() / "set"), QStringLiteral("--name")};
    const CliRun noKeys = runCli(base + QStringList {QStringLiteral("flash-algorithm-35")});
    EXPECT_EQ(noKeys.exitCode, 1);
    EXPECT_TRUE(noKeys.err.contains("takes the CSM keys")) << noKeys.err.toStdString();
    const CliRun fixedRow = runCli(base + QStringList {QStringLiteral("flash-algorithm-06"), QStringLiteral("--keys"), QStringLiteral("0x9010")});
    EXPECT_EQ(fixedRow.exitCode, 1);
    EXPECT_TRUE(fixedRow.err.contains("segment 1 (0x008000, 1859 words) expected")) << fixedRow.err.toStdString();
    EXPECT_EQ(runCli(base + QStringList {QStringLiteral("no-such-image")}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "set"));
    EXPECT_EQ(runCli({QStringLiteral("images"), QStringLiteral("check")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("images"), QStringLiteral("import")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("images"), QStringLiteral("list"), QStringLiteral("--name"), QStringLiteral("x")}).exitCode, 2);

    // A real LF240x program read through the same path: its sections are no clear routine.
    if (!coffSamplesDir())
        GTEST_SKIP() << "no COFF samples";
    const CliRun real = runCli({QStringLiteral("images"), QStringLiteral("import"),
        text(*coffSamplesDir() / "c24x_sine.out"), QStringLiteral("--images"), text(scratch.path() / "set"),
        QStringLiteral("--name"), QStringLiteral("lf240x-lf2407a-40mhz-clear")});
    EXPECT_EQ(real.exitCode, 1);
    EXPECT_TRUE(real.err.contains("image lf240x-lf2407a-40mhz-clear: ")) << real.err.toStdString();
}

} // namespace
