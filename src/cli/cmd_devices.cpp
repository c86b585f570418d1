// lumetra-cli devices: the device catalogue as a table or as JSON.
#include "cli/command.h"
#include "cli/command_line.h"
#include "core/device_catalogue.h"

#include <QJsonArray>
#include <QJsonObject>

namespace lumetra::cli {

namespace {

using namespace lumetra::core;

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Labels of the key fields the settings dialog enables for the row, as it labels them when it opens.
QStringList csmKeyLabelsOf(int index)
{
    QStringList labels;
    for (int n = 0; n < csmKeyCountOf(index); ++n)
        labels << QString::fromStdString(csmKeyLabel(index, n, false));
    return labels;
}

QJsonObject deviceObject(int index)
{
    const Family family = familyOf(index);
    return QJsonObject {
        {QStringLiteral("index"), index},
        {QStringLiteral("listName"), fromView(listNameOf(index))},
        {QStringLiteral("statusName"), fromView(statusNameOf(index))},
        {QStringLiteral("group"), fromView(groupNameOf(groupOf(index)))},
        {QStringLiteral("family"), fromView(familyNameOf(family))},
        {QStringLiteral("addressFormat"), fromView(addressFormatOf(family))},
        {QStringLiteral("coffTargetId"), coffTargetIdOf(family)},
        {QStringLiteral("csmKeys"), QJsonArray::fromStringList(csmKeyLabelsOf(index))},
        {QStringLiteral("dataFlash"), hasDataFlash(index)},
    };
}

QString keySummary(const QStringList& labels)
{
    if (labels.isEmpty())
        return QStringLiteral("none");
    return QStringLiteral("%1 .. %2").arg(labels.first(), labels.last());
}

void printTable()
{
    const QString row = QStringLiteral("%1  %2  %3  %4  %5  %6  %7");
    printLine(row.arg(QStringLiteral("#"), 2)
                  .arg(QStringLiteral("List name"), -40)
                  .arg(QStringLiteral("Status name"), -29)
                  .arg(QStringLiteral("Group"), -13)
                  .arg(QStringLiteral("Family"), -6)
                  .arg(QStringLiteral("Data flash"), -10)
                  .arg(QStringLiteral("CSM keys")));
    for (int index = 0; index < kDeviceCount; ++index) {
        printLine(row.arg(index, 2)
                      .arg(fromView(listNameOf(index)), -40)
                      .arg(fromView(statusNameOf(index)), -29)
                      .arg(fromView(groupNameOf(groupOf(index))), -13)
                      .arg(fromView(familyNameOf(familyOf(index))), -6)
                      .arg(hasDataFlash(index) ? QStringLiteral("yes") : QStringLiteral("no"), -10)
                      .arg(keySummary(csmKeyLabelsOf(index))));
    }
}

int runDevices(const QStringList& args)
{
    CommandLine line(args, QStringLiteral("Lists the supported target devices."));
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Print a JSON array of the devices."));
    line.addOption(jsonOption);
    if (const auto end = line.parse(0, 0))
        return *end;

    if (line.parser().isSet(jsonOption)) {
        QJsonArray devices;
        for (int index = 0; index < kDeviceCount; ++index)
            devices.append(deviceObject(index));
        printJson(QJsonDocument(devices));
    } else {
        printTable();
    }
    return 0;
}

const CommandRegistration reg {
    QStringLiteral("devices"), QStringLiteral("list the supported target devices"), runDevices};

} // namespace

} // namespace lumetra::cli
