// lumetra-cli dump: one refresh of a memory monitor page from a start address, gaps of the device shown as "???".
#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/monitor_cli_options.h"

#include "core/memory_settings_store.h"
#include "core/settings_schema.h"
#include "monitor/memory_monitor.h"
#include "monitor/monitoring_flags.h"

namespace lumetra::cli {

namespace {

int runDump(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads one memory monitor page from ADDR and prints address, value and Ascii text per row. "
                       "ADDR is clamped as the start address dialog clamps it."));
    parser.addPositionalArgument(
        QStringLiteral("ADDR"), QStringLiteral("Start address (100 decimal, 100h or 0x100 hexadecimal)."));
    const QCommandLineOption device = deviceOption();
    const QCommandLineOption view = viewOption();
    const QCommandLineOption rows(QStringLiteral("rows"), QStringLiteral("Rows of the page (default 16)."),
        QStringLiteral("N"), QStringLiteral("16"));
    parser.addOptions({device, view, rows});
    const auto command = parseLinkCommand(parser, args, 1, 1);
    if (!command)
        return 2;
    const auto deviceIndex = readDevice(parser, device);
    const ViewChoice viewChoice = readView(parser, view);
    const auto rowCount = readPositive(parser, rows, 1);
    if (!deviceIndex || !viewChoice.ok || !rowCount)
        return 2;

    core::MemorySettingsStore store;
    core::writeSetting(store, core::SettingId::CpuType, *deviceIndex);
    core::writeSetting(store, core::SettingId::StartViewType,
        monitor::viewTypeCode(viewChoice.view.value_or(monitor::ViewType::Hex16)));
    monitor::MonitoringFlags monitoring;
    monitor::MemoryMonitor memory(store, monitoring);
    memory.setRowsPerPage(static_cast<int>(*rowCount));
    if (const auto refused = memory.enterStartAddress(command->arguments[0].toStdString())) {
        printError(QString::fromUtf8(refused->data(), static_cast<qsizetype>(refused->size())));
        return 2;
    }

    CliLink link(command->settings);
    if (!link.connect())
        return 1;
    if (!memory.poll(link.pod())) {
        printError(QString::fromUtf8(kCommunicationError));
        return 1;
    }
    for (const monitor::MemoryRow& row : memory.rows()) {
        printLine(QStringLiteral("%1 %2 %3")
                      .arg(QString::fromStdString(row.addressText), -10)
                      .arg(QString::fromStdString(row.value), -34)
                      .arg(QString::fromStdString(row.ascii)));
    }
    return 0;
}

const CommandRegistration reg {
    QStringLiteral("dump"), QStringLiteral("Read one memory monitor page from a start address"), runDump};

} // namespace

} // namespace lumetra::cli
