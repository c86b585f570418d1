#include "cli_process.h"

#include "support/coff_writer.h"
#include "support/dwarf_writer.h"
#include "support/test_paths.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace lumetra::test;

namespace {

QJsonObject parseObject(const QByteArray& text)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

QString pathText(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

void writeProgram(const std::filesystem::path& path)
{
    const auto text = CoffSection::withData("_text", 0x3F7000, {1, 2, 3});
    const auto ram = CoffSection::withData("ramdata", 0x8000, {4});
    CoffSymbol zeta;
    zeta.name = "_zeta";
    zeta.value = 0x8000;
    zeta.type = coffType(4);
    CoffSymbol alpha;
    alpha.name = "_Alpha";
    alpha.value = 0x8001;
    alpha.type = coffType(5, {3});
    alpha.aux.push_back(CoffAuxEntry::arrayDimensions(4));
    CoffWriter(2, kTargetC28x).addSection(text).addSection(ram).addSymbol(zeta).addSymbol(alpha).writeTo(path);
}

} // namespace

TEST(InfoCli, JsonDescribesTheLoadedProgram)
{
    ScratchDir dir;
    writeProgram(dir / "prog.out");
    const CliRun run = runCli({"info", pathText(dir / "prog.out"), "--device", "36", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject info = parseObject(run.out);
    EXPECT_EQ(info["result"].toInt(), 0);
    EXPECT_TRUE(info["loaded"].toBool());
    EXPECT_EQ(info["targetId"].toInt(), 0x009D);
    EXPECT_EQ(info["sizeWords"].toInt(), 4);

    const QJsonArray sections = info["sections"].toArray();
    ASSERT_EQ(sections.size(), 2);
    const QJsonObject text = sections[0].toObject();
    EXPECT_EQ(text["name"].toString(), "text");
    EXPECT_EQ(text["start"].toInt(), 0x3F7000);
    EXPECT_EQ(text["end"].toInt(), 0x3F7002);
    EXPECT_EQ(text["startText"].toString(), "0x3F7000");
    EXPECT_EQ(text["sizeText"].toString(), "0x3 Words");
    EXPECT_FALSE(text["inFlash"].toBool()); // the F2834x have no internal flash

    // Symbols sorted by name, ignoring case.
    const QJsonArray symbols = info["symbols"].toArray();
    ASSERT_EQ(symbols.size(), 2);
    EXPECT_EQ(symbols[0].toObject()["name"].toString(), "Alpha");
    EXPECT_EQ(symbols[0].toObject()["address"].toString(), "0x008001");
    EXPECT_EQ(symbols[0].toObject()["etc"].toString(), "Array Info : [4]");
    EXPECT_EQ(symbols[1].toObject()["name"].toString(), "zeta");

    // 22 header bytes, two blocks of 6 + data, the end word.
    EXPECT_EQ(info["dataFlashImageLength"].toInt(), 22 + 6 + 6 + 6 + 2 + 2);
    EXPECT_TRUE(info["dataFlashImageComplete"].toBool());
}

TEST(InfoCli, FlashTagsAndSummaryForAFlashDevice)
{
    ScratchDir dir;
    writeProgram(dir / "prog.out");
    const QJsonObject info = parseObject(runCli({"info", pathText(dir / "prog.out"), "--device", "6", "--json"}).out);
    const QJsonObject text = info["sections"].toArray()[0].toObject();
    EXPECT_TRUE(text["inFlash"].toBool());
    EXPECT_EQ(text["flashMask"].toInt(), 0x0001);
    const QJsonObject summary = info["flashSummary"].toObject();
    EXPECT_EQ(summary["mask"].toInt(), 0x0001);
    EXPECT_EQ(summary["flashBytes"].toInt(), 6);
    EXPECT_EQ(summary["ramSections"].toInt(), 1);
    EXPECT_FALSE(info.contains("dataFlashImageLength"));

    const CliRun textRun = runCli({"info", pathText(dir / "prog.out"), "--device", "6"});
    ASSERT_EQ(textRun.exitCode, 0);
    const QString out = QString::fromUtf8(textRun.out);
    EXPECT_TRUE(out.contains("Result: 0 loaded")) << out.toStdString();
    EXPECT_TRUE(out.contains("Size : 0x000004")) << out.toStdString();
    EXPECT_LT(out.indexOf("Alpha"), out.indexOf("zeta"));
}

TEST(InfoCli, FailedLoadGivesItsCodeAndMessage)
{
    ScratchDir dir;
    writeProgram(dir / "prog.out");
    const CliRun mismatch = runCli({"info", pathText(dir / "prog.out"), "--device", "4", "--json"});
    EXPECT_EQ(mismatch.exitCode, 1);
    const QJsonObject info = parseObject(mismatch.out);
    EXPECT_EQ(info["result"].toInt(), 3);
    EXPECT_EQ(info["message"].toString(), QString::fromUtf8("COFF 파일이 선택한 CPU 타입과 일치하지 않읍니다."));
    EXPECT_FALSE(info.contains("sections"));

    const CliRun missing = runCli({"info", pathText(dir / "missing.out")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(missing.out).contains(QString::fromUtf8("Result: 1 파일을 여는데 실패했읍니다.")));

    EXPECT_EQ(runCli({"info", pathText(dir / "prog.out"), "--device", "x"}).exitCode, 2);
    EXPECT_EQ(runCli({"info"}).exitCode, 2);
}

TEST(InfoCli, TypesFromTheDebugInformationShowTheirSourcePerSymbol)
{
    const auto samples = coffSamplesDir();
    if (!samples)
        GTEST_SKIP() << "COFF samples are not present";
    const CliRun run = runCli({"info", pathText(*samples / "flash28333_api.out"), "--device", "35", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject info = parseObject(run.out);
    const QJsonObject reading = info["typeReading"].toObject();
    EXPECT_EQ(reading["debugInfo"].toString(), "read");
    EXPECT_EQ(reading["dwarfVersion"].toInt(), 2);
    EXPECT_EQ(reading["typedFromDebugInfo"].toInt(), 10);
    EXPECT_EQ(reading["message"].toString(), "Types from the debug information (DWARF 2): 10 of 12 symbols");
    std::map<QString, QJsonObject> byName;
    for (const auto& entry : info["symbols"].toArray())
        byName[entry.toObject()["name"].toString()] = entry.toObject();
    EXPECT_FALSE(byName.contains("main"));
    EXPECT_EQ(byName["MyCallbackCounter"]["dataType"].toString(), "Unsigned long");
    EXPECT_EQ(byName["MyCallbackCounter"]["typeSource"].toString(), "debug info");
    EXPECT_EQ(byName["Flash_CallbackPtr"]["typeSource"].toString(), "symbol table");

    const CliRun text = runCli({"info", pathText(*samples / "flash28333_api.out"), "--device", "35"});
    EXPECT_TRUE(text.out.contains("Types: Types from the debug information (DWARF 2): 10 of 12 symbols"));
    EXPECT_TRUE(text.out.contains("Type Source"));
}

TEST(InfoCli, TypesOfAGeneratedDwarfFileComeFromItsDebugInformation)
{
    DwarfWriter dwarf(3);
    const auto floatType = dwarf.baseType("float", kEncodingFloat, 2);
    const auto uintType = dwarf.baseType("unsigned int", kEncodingUnsigned, 1);
    const auto status = dwarf.structure("STATUS", 2);
    dwarf.member("Count", uintType, 0);
    dwarf.member("Level", uintType, 1);
    dwarf.variable("Gain", 0x8000, floatType);
    dwarf.variable("Status", 0x8002, status);
    dwarf.variable("Next", 0x8004, dwarf.pointerTo(status));

    CoffWriter writer(2, kTargetC28x);
    writer.addSection(CoffSection::withData("ramdata", 0x8000, {0, 0, 0, 0, 0}));
    writer.addSection(CoffSection::debugSection(".debug_info", dwarf.info()));
    writer.addSection(CoffSection::debugSection(".debug_abbrev", dwarf.abbrev()));
    for (const auto& [name, address] : std::vector<std::pair<std::string, std::uint32_t>> {
             {"_Gain", 0x8000}, {"_Status", 0x8002}, {"_Next", 0x8004}}) {
        CoffSymbol symbol;
        symbol.name = name;
        symbol.value = address;
        symbol.type = coffType(4); // "Integer" in the symbol table
        writer.addSymbol(symbol);
    }
    ScratchDir dir;
    writer.writeTo(dir / "typed.out");

    const CliRun run = runCli({"info", pathText(dir / "typed.out"), "--json", "--members"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject info = parseObject(run.out);
    EXPECT_EQ(info["typeReading"].toObject()["debugInfo"].toString(), "read");
    EXPECT_EQ(info["typeReading"].toObject()["dwarfVersion"].toInt(), 3);
    std::map<QString, QJsonObject> byName;
    for (const auto& entry : info["symbols"].toArray())
        byName[entry.toObject()["name"].toString()] = entry.toObject();
    EXPECT_EQ(byName["Gain"]["dataType"].toString(), "Floating point");
    EXPECT_EQ(byName["Status"]["dataType"].toString(), "Structure");
    EXPECT_EQ(byName["Next"]["dataType"].toString(), "Pointer to Structure");
    for (const char* name : {"Gain", "Status", "Next"})
        EXPECT_EQ(byName[name]["typeSource"].toString(), "debug info") << name;
    EXPECT_EQ(byName["Status"]["members"].toArray().size(), 2) << run.out.toStdString();
}

TEST(InfoCli, AFileWithoutDebugInformationSaysSo)
{
    ScratchDir dir;
    writeProgram(dir / "prog.out");
    const CliRun run = runCli({"info", pathText(dir / "prog.out"), "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject info = parseObject(run.out);
    EXPECT_EQ(info["typeReading"].toObject()["debugInfo"].toString(), "none");
    EXPECT_EQ(info["symbols"].toArray()[0].toObject()["typeSource"].toString(), "symbol table");
}

TEST(InfoCli, ControlCharactersOfNamesReachTheTerminalEscapedInAlignedColumns)
{
    ScratchDir dir;
    // A terminal title sequence (ESC ] 0 ; ... BEL) as a section name and a clear-screen sequence in a symbol name
    // that goes on in Korean (code page 949 in the file).
    const auto hostile = CoffSection::withData("_ram\x1B]0;owned\x07", 0x8000, {4});
    CoffSymbol symbol;
    symbol.name = "_\x1B[2J\xBF\xC2\xB5\xB5";
    symbol.value = 0x8000;
    symbol.type = coffType(4);
    CoffWriter(2, kTargetC28x).addSection(hostile).addSymbol(symbol).writeTo(dir / "hostile.out");

    const CliRun run = runCli({"info", pathText(dir / "hostile.out"), "--device", "36"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(run.out.contains('\x1B'));
    EXPECT_FALSE(run.out.contains('\x07'));
    const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
    const auto lineWith = [&](const QString& text) {
        const auto found = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(text); });
        return found == lines.end() ? QString() : *found;
    };
    const QString section = lineWith(QStringLiteral("ram\\u001b]0;owned\\u0007"));
    const QString symbolRow = lineWith(QString::fromUtf8("\\u001b[2J온도"));
    ASSERT_FALSE(section.isEmpty()) << run.out.toStdString();
    ASSERT_FALSE(symbolRow.isEmpty()) << run.out.toStdString();
    // The next column starts under its heading, counted in characters.
    EXPECT_EQ(section.indexOf(QStringLiteral("0x008000")), lineWith(QStringLiteral("Start")).indexOf("Start"));
    EXPECT_EQ(symbolRow.indexOf(QStringLiteral("0x008000")), lineWith(QStringLiteral("Symbol Name")).indexOf("Address"));
}
