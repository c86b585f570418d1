// lumetra-cli sym: the records of a symbol file (.sym) as a table or as JSON.
#include "cli/command.h"
#include "cli/command_line.h"
#include "image/coff_types.h"
#include "image/symbol_file.h"
#include "monitor/view_types.h"

#include <QJsonArray>
#include <QJsonObject>

namespace lumetra::cli {

namespace {

using namespace lumetra::image;

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A symbol file does not say which family it was saved for: addresses are shown 22 bits wide.
QString addressText(std::uint32_t address)
{
    return QString::asprintf("0x%06X", address);
}

QString viewTypeText(std::uint8_t code)
{
    const auto view = monitor::viewTypeFromCode(code);
    return view ? fromView(monitor::viewTypeName(*view)) : QString();
}

QJsonObject recordObject(const CDataObject& record)
{
    return QJsonObject {
        {QStringLiteral("name"), QString::fromStdString(record.name)},
        {QStringLiteral("address"), static_cast<qint64>(record.address)},
        {QStringLiteral("type"), record.type},
        {QStringLiteral("dataType"), QString::fromStdString(dataTypeText(record.type))},
        {QStringLiteral("arrayInfo"), QString::fromStdString(record.arrayInfo)},
        {QStringLiteral("viewType"), record.viewType},
        {QStringLiteral("viewTypeName"), viewTypeText(record.viewType)},
    };
}

void printTable(const std::vector<CDataObject>& records)
{
    const QString row = QStringLiteral("%1  %2  %3  %4  %5  %6");
    printLine(row.arg(QStringLiteral("#"), 4)
                  .arg(QStringLiteral("Name"), -24)
                  .arg(QStringLiteral("Address"), -8)
                  .arg(QStringLiteral("Data type"), -28)
                  .arg(QStringLiteral("View type"), -26)
                  .arg(QStringLiteral("Array info")));
    for (std::size_t i = 0; i < records.size(); ++i) {
        const CDataObject& record = records[i];
        printLine(row.arg(static_cast<qulonglong>(i), 4)
                      .arg(QString::fromStdString(record.name), -24)
                      .arg(addressText(record.address), -8)
                      .arg(QString::fromStdString(dataTypeText(record.type)), -28)
                      .arg(QStringLiteral("%1 %2").arg(record.viewType).arg(viewTypeText(record.viewType)), -26)
                      .arg(QString::fromStdString(record.arrayInfo)));
    }
}

int runSym(const QStringList& args)
{
    CommandLine line(args, QStringLiteral("Lists the records of a symbol file (.sym)."));
    line.addPositional(QStringLiteral("file"), QStringLiteral("The symbol file."));
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Print a JSON array of the records."));
    line.addOption(jsonOption);
    if (const auto end = line.parse(1, 1))
        return *end;

    const SymbolFileRead read = readSymbolFile(std::filesystem::path(line.arguments().first().toStdU16String()));
    if (read.status != SymbolFileStatus::Ok) {
        QString detail;
        if (read.archiveError != ArchiveError::None)
            detail = QStringLiteral(" (%1 at byte %2)")
                         .arg(fromView(describeArchiveError(read.archiveError)))
                         .arg(static_cast<qulonglong>(read.errorOffset));
        printError(QStringLiteral("%1: %2%3").arg(args[0], fromView(symbolFileMessage(read.status)), detail));
        return 1;
    }
    if (line.parser().isSet(jsonOption)) {
        QJsonArray records;
        for (const CDataObject& record : read.records)
            records.append(recordObject(record));
        printJson(QJsonDocument(records));
    } else {
        printTable(read.records);
    }
    return 0;
}

const CommandRegistration reg {
    QStringLiteral("sym"), QStringLiteral("list the records of a symbol file (.sym)"), runSym};

} // namespace

} // namespace lumetra::cli
