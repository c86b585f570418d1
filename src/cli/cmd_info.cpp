// lumetra-cli info: loads a COFF file for a device and shows the result, sections, flash use, symbols and the
// data-flash image, as text or as one JSON object.
#include "cli/command.h"
#include "cli/command_line.h"
#include "core/device_catalogue.h"
#include "image/flash_layout.h"
#include "image/program_image.h"
#include "image/section_rows.h"
#include "image/symbol_rows.h"

#include <QJsonArray>
#include <QJsonObject>

namespace lumetra::cli {

namespace {

using namespace lumetra::image;

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString hex(std::uint32_t value, int digits)
{
    return QString::asprintf("0x%0*X", digits, static_cast<unsigned>(value));
}

QString resultText(CoffLoadResult result)
{
    switch (result) {
    case CoffLoadResult::Loaded:
        return QStringLiteral("loaded");
    case CoffLoadResult::LoadedWithoutSymbols:
        return QStringLiteral("loaded without symbols");
    default:
        return fromUtf8(coffLoadMessage(result));
    }
}

QJsonArray sectionsJson(const ProgramImage& image)
{
    QJsonArray array;
    const auto rows = buildSectionRows(image.sections(), image.targetId());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LoadedSection& section = image.sections()[i];
        array.append(QJsonObject {
            {QStringLiteral("name"), QString::fromStdString(section.name)},
            {QStringLiteral("start"), static_cast<qint64>(section.startAddress)},
            {QStringLiteral("end"), static_cast<qint64>(section.endAddress())},
            {QStringLiteral("sizeWords"), static_cast<qint64>(section.sizeWords)},
            {QStringLiteral("startText"), QString::fromStdString(rows[i].start)},
            {QStringLiteral("endText"), QString::fromStdString(rows[i].end)},
            {QStringLiteral("sizeText"), QString::fromStdString(rows[i].size)},
            {QStringLiteral("inFlash"), section.inFlash},
            {QStringLiteral("flashMask"), section.flashMask},
            {QStringLiteral("inSecondBank"), section.inSecondBank},
            {QStringLiteral("secondBankMask"), section.secondBankMask},
        });
    }
    return array;
}

QJsonObject flashSummaryJson(const FlashSummary& summary)
{
    return QJsonObject {
        {QStringLiteral("mask"), summary.mask},
        {QStringLiteral("secondBankMask"), summary.secondBankMask},
        {QStringLiteral("flashSections"), summary.flashSections},
        {QStringLiteral("flashBytes"), static_cast<qint64>(summary.flashBytes)},
        {QStringLiteral("ramSections"), summary.ramSections},
        {QStringLiteral("ramBytes"), static_cast<qint64>(summary.ramBytes)},
        {QStringLiteral("firstBankData"), summary.firstBankData},
        {QStringLiteral("secondBankData"), summary.secondBankData},
    };
}

QJsonObject symbolJson(const SymbolRow& row)
{
    return QJsonObject {
        {QStringLiteral("name"), QString::fromStdString(row.name)},
        {QStringLiteral("address"), QString::fromStdString(row.address)},
        {QStringLiteral("dataType"), QString::fromStdString(row.dataType)},
        {QStringLiteral("etc"), QString::fromStdString(row.etc)},
        {QStringLiteral("typeSource"),
            row.typedFromDebugInfo ? QStringLiteral("debug info") : QStringLiteral("symbol table")},
    };
}

// The rows from `next` on that lie deeper than `depth`, nested as "members" arrays.
QJsonArray nestedRowsJson(const std::vector<SymbolRow>& rows, std::size_t& next, int depth)
{
    QJsonArray array;
    while (next < rows.size() && rows[next].depth == depth) {
        QJsonObject object = symbolJson(rows[next]);
        const bool expanded = rows[next].expanded;
        ++next;
        if (expanded)
            object.insert(QStringLiteral("members"), nestedRowsJson(rows, next, depth + 1));
        array.append(object);
    }
    return array;
}

QJsonArray symbolsJson(const ProgramImage& image, bool members)
{
    const std::vector<SymbolRow> rows = buildSymbolRows(image.symbols(), image.targetId(), {}, members);
    std::size_t next = 0;
    return nestedRowsJson(rows, next, 0);
}

QString debugInfoStatusText(DebugReadStatus status)
{
    switch (status) {
    case DebugReadStatus::Read:
        return QStringLiteral("read");
    case DebugReadStatus::Unreadable:
        return QStringLiteral("unreadable");
    case DebugReadStatus::NoDebugInfo:
        break;
    }
    return QStringLiteral("none");
}

QJsonObject typeReadingJson(const TypeReading& reading)
{
    return QJsonObject {
        {QStringLiteral("debugInfo"), debugInfoStatusText(reading.debugInfo)},
        {QStringLiteral("dwarfVersion"), reading.dwarfVersion},
        {QStringLiteral("problem"), fromUtf8(reading.problem)},
        {QStringLiteral("typedFromDebugInfo"), static_cast<qint64>(reading.typedFromDebugInfo)},
        {QStringLiteral("message"), fromUtf8(typeReadingMessage(reading))},
    };
}

bool isC28xRow(int device)
{
    return core::isValidDeviceIndex(device) && core::familyOf(device) == core::Family::F28x;
}

bool hasDataFlashRow(int device)
{
    return core::isValidDeviceIndex(device) && core::hasDataFlash(device);
}

QJsonObject infoJson(const QString& file, int device, CoffLoadResult result, const ProgramImage& image, bool members)
{
    QJsonObject object {
        {QStringLiteral("file"), file},
        {QStringLiteral("device"), device},
        {QStringLiteral("result"), static_cast<int>(result)},
        {QStringLiteral("message"), fromUtf8(coffLoadMessage(result))},
        {QStringLiteral("loaded"), isLoadSuccess(result)},
    };
    if (!isLoadSuccess(result))
        return object;
    object.insert(QStringLiteral("targetId"), image.targetId());
    object.insert(QStringLiteral("sizeWords"), static_cast<qint64>(image.totalWords()));
    object.insert(QStringLiteral("sections"), sectionsJson(image));
    if (isC28xRow(device))
        object.insert(QStringLiteral("flashSummary"), flashSummaryJson(image.flashSummary()));
    object.insert(QStringLiteral("symbols"), symbolsJson(image, members));
    if (result == CoffLoadResult::Loaded)
        object.insert(QStringLiteral("typeReading"), typeReadingJson(image.typeReading()));
    if (hasDataFlashRow(device)) {
        object.insert(QStringLiteral("dataFlashImageLength"), static_cast<qint64>(image.dataFlashImage().length()));
        object.insert(QStringLiteral("dataFlashImageComplete"), image.dataFlashImage().complete());
    }
    return object;
}

void printSections(const ProgramImage& image)
{
    printLine(QStringLiteral("Sections: %1").arg(image.sections().size()));
    const QString row = QStringLiteral("  %1  %2  %3  %4  %5  %6");
    printLine(row.arg(QStringLiteral("Name"), -24)
                  .arg(QStringLiteral("Start"), -8)
                  .arg(QStringLiteral("End"), -8)
                  .arg(QStringLiteral("Size"), -16)
                  .arg(QStringLiteral("Flash"), -12)
                  .arg(QStringLiteral("Bank 2")));
    const auto rows = buildSectionRows(image.sections(), image.targetId());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LoadedSection& section = image.sections()[i];
        const QString flash
            = section.inFlash ? QStringLiteral("yes ") + hex(section.flashMask, 4) : QStringLiteral("no");
        const QString bank2
            = section.inSecondBank ? QStringLiteral("yes ") + hex(section.secondBankMask, 4) : QStringLiteral("no");
        printLine(row.arg(QString::fromStdString(rows[i].name), -24)
                      .arg(QString::fromStdString(rows[i].start), -8)
                      .arg(QString::fromStdString(rows[i].end), -8)
                      .arg(QString::fromStdString(rows[i].size), -16)
                      .arg(flash, -12)
                      .arg(bank2));
    }
}

void printFlashSummary(const FlashSummary& summary)
{
    printLine(QStringLiteral("Flash: mask %1, %2 sections, %3 bytes; second bank mask %4; first bank data %5, "
                             "second bank data %6")
                  .arg(hex(summary.mask, 4))
                  .arg(summary.flashSections)
                  .arg(summary.flashBytes)
                  .arg(hex(summary.secondBankMask, 4))
                  .arg(summary.firstBankData ? QStringLiteral("yes") : QStringLiteral("no"))
                  .arg(summary.secondBankData ? QStringLiteral("yes") : QStringLiteral("no")));
    printLine(QStringLiteral("RAM: %1 sections, %2 bytes").arg(summary.ramSections).arg(summary.ramBytes));
}

void printSymbols(const ProgramImage& image, bool members)
{
    const auto rows = buildSymbolRows(image.symbols(), image.targetId(), {}, members);
    printLine(QStringLiteral("Symbols: %1").arg(image.symbols().count()));
    if (rows.empty())
        return;
    printLine(QStringLiteral("Types: %1").arg(fromUtf8(typeReadingMessage(image.typeReading()))));
    const QString row = QStringLiteral("  %1  %2  %3  %4  %5");
    printLine(row.arg(QStringLiteral("Symbol Name"), -24)
                  .arg(QStringLiteral("Address"), -8)
                  .arg(QStringLiteral("Data Type"), -36)
                  .arg(QStringLiteral("Type Source"), -12)
                  .arg(QStringLiteral("Etc")));
    for (const SymbolRow& symbol : rows) {
        printLine(
            row.arg(QString::fromStdString(members ? symbol.label : symbol.name), -24)
                .arg(QString::fromStdString(symbol.address), -8)
                .arg(QString::fromStdString(symbol.dataType), -36)
                .arg(symbol.typedFromDebugInfo ? QStringLiteral("debug info") : QStringLiteral("symbol table"), -12)
                .arg(QString::fromStdString(symbol.etc)));
    }
}

void printInfo(const QString& file, int device, CoffLoadResult result, const ProgramImage& image, bool members)
{
    printLine(QStringLiteral("File: %1").arg(file));
    const QString deviceName
        = core::isValidDeviceIndex(device) ? fromUtf8(core::statusNameOf(device)) : QStringLiteral("no such device");
    printLine(QStringLiteral("Device: %1 (%2)").arg(device).arg(deviceName));
    printLine(QStringLiteral("Result: %1 %2").arg(static_cast<int>(result)).arg(resultText(result)));
    if (!isLoadSuccess(result))
        return;
    printLine(QStringLiteral("Target id: %1").arg(hex(image.targetId(), 4)));
    printLine(QStringLiteral("Size : %1").arg(hex(static_cast<std::uint32_t>(image.totalWords()), 6)));
    printSections(image);
    if (isC28xRow(device))
        printFlashSummary(image.flashSummary());
    if (hasDataFlashRow(device)) {
        const DataFlashImage& dataFlash = image.dataFlashImage();
        printLine(QStringLiteral("Data-flash image: %1 bytes%2")
                      .arg(dataFlash.length())
                      .arg(dataFlash.complete() ? QString() : QStringLiteral(" (cut at 4 MiB)")));
    }
    printSymbols(image, members);
}

int runInfo(const QStringList& args)
{
    CommandLine line(args, QStringLiteral("Loads a COFF file (.out) for a device and shows what it holds."));
    line.addPositional(QStringLiteral("file"), QStringLiteral("The COFF file."));
    const QCommandLineOption deviceOption(QStringLiteral("device"),
        QStringLiteral("Device index 0..70 (see 'lumetra-cli devices'); default %1.").arg(core::kDefaultDeviceIndex),
        QStringLiteral("N"), QString::number(core::kDefaultDeviceIndex));
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    const QCommandLineOption membersOption(QStringLiteral("members"),
        QStringLiteral("Show the members of structure and union symbols (from the debug information)."));
    line.addOption(deviceOption);
    line.addOption(jsonOption);
    line.addOption(membersOption);
    if (const auto end = line.parse(1, 1))
        return *end;
    bool ok = false;
    const QString deviceText = line.parser().value(deviceOption);
    const int device = deviceText.toInt(&ok, 0);
    if (!ok)
        return line.usageError(QStringLiteral("--device expects a number, not '%1'").arg(deviceText));

    const QString file = line.arguments().first();
    ProgramImage image;
    const CoffLoadResult result = image.load(std::filesystem::path(file.toStdString()), device);
    const bool members = line.parser().isSet(membersOption);
    if (line.parser().isSet(jsonOption))
        printJson(QJsonDocument(infoJson(file, device, result, image, members)));
    else
        printInfo(file, device, result, image, members);
    return isLoadSuccess(result) ? 0 : 1;
}

const CommandRegistration reg {
    QStringLiteral("info"), QStringLiteral("load a COFF file and show its sections and symbols"), runInfo};

} // namespace

} // namespace lumetra::cli
