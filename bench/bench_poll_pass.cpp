// One poll pass of both monitors (20 variables, 16- and 32-bit mixed, then 30 memory rows) over the serial
// transport against lumetra-podsim with wire-time emulation, as the ratio of measured time to the time the
// pass's bytes need on the wire (10 bits each, counted at the transport).
// Usage: bench_poll_pass [path-to-lumetra-podsim]
#include "counting_transport.h"
#include "podsim_process.h"

#include "core/memory_settings_store.h"
#include "core/settings_schema.h"
#include "link/pod_link.h"
#include "link/posix_transport_factory.h"
#include "monitor/memory_monitor.h"
#include "monitor/monitoring_flags.h"
#include "monitor/variable_monitor.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using namespace lumetra;
using Clock = std::chrono::steady_clock;
using bench::CountingSerialFactory;

constexpr int kMemoryRows = 30;
constexpr int kVariables = 20;
constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kLong = 5;

std::vector<image::CDataObject> mixedVariables()
{
    std::vector<image::CDataObject> records;
    std::uint32_t address = 0x9000;
    for (int n = 0; n < kVariables; ++n) {
        const std::uint16_t type = n % 2 == 0 ? kShort : kLong;
        records.push_back(
            {"v" + std::to_string(n), address, type, {}, static_cast<std::uint8_t>(type == kShort ? 2 : 3)});
        address += type == kShort ? 1 : 2;
    }
    return records;
}

bool run(const std::string& program, int baud, int passes)
{
    bench::Podsim podsim(program, baud);
    if (podsim.device().empty()) {
        std::printf("cannot start %s\n", program.c_str());
        return false;
    }
    CountingSerialFactory factory(podsim.device());
    link::CPodLink link(factory);
    if (link.Connect(1, 4, false) != link::ConnectCode::Connected) {
        std::printf("cannot connect to %s\n", podsim.device().c_str());
        return false;
    }

    core::MemorySettingsStore store;
    core::writeSetting(store, core::SettingId::StartDataAddress, 0x8000);
    monitor::MonitoringFlags monitoring;
    monitor::MemoryMonitor memory(store, monitoring);
    memory.setRowsPerPage(kMemoryRows);
    std::vector<image::CDataObject> registered = mixedVariables();
    monitor::VariableMonitor variables(registered, monitoring);
    variables.setVisibleRows(0, kVariables);

    // The first pass builds the rows; it is not timed.
    bool ok = variables.poll(link) && memory.poll(link);
    factory.bytes = 0;
    const auto start = Clock::now();
    Clock::duration variableTime {};
    for (int n = 0; ok && n < passes; ++n) {
        const auto passStart = Clock::now();
        ok = variables.poll(link);
        variableTime += Clock::now() - passStart;
        ok = ok && memory.poll(link);
    }
    const double measured = std::chrono::duration<double>(Clock::now() - start).count();
    const double variablesMeasured = std::chrono::duration<double>(variableTime).count();
    link.Disconnect();
    if (!ok) {
        std::printf("poll pass at %6d baud: a read failed\n", baud);
        return false;
    }
    const double wire = static_cast<double>(factory.bytes) * 10.0 / baud;
    std::printf("poll pass at %6d baud: %4d passes, %5.0f bytes/pass, %7.2f ms/pass measured (variables %.2f, "
                "memory %.2f), %7.2f ms/pass wire time, ratio %.2f\n",
        baud, passes, static_cast<double>(factory.bytes) / passes, measured * 1e3 / passes,
        variablesMeasured * 1e3 / passes, (measured - variablesMeasured) * 1e3 / passes, wire * 1e3 / passes,
        measured / wire);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const auto program = lumetra::bench::podsimProgram(argc, argv);
    if (!program)
        return 2;
    const bool ok = run(*program, 115200, 40) && run(*program, 921600, 200);
    return ok ? 0 : 1;
}
