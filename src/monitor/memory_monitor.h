// The memory monitor pane without its window: a page of consecutive target addresses from a start address,
// read through the POD on every poll and shown in the pane's view type, with its scroll bar, start address
// entry, view type and data change commands.
#pragma once

#include "monitor/data_change.h"
#include "monitor/memory_scroll.h"
#include "monitor/monitoring_switch.h"
#include "monitor/shown_values_freshness.h"
#include "monitor/view_types.h"

#include "core/device_catalogue.h"
#include "core/settings_store.h"
#include "link/pod_link.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::monitor {

struct MemoryRow {
    std::uint32_t address = 0;
    std::string addressText; // "0x%04X" or "0x%06X"
    std::string value; // empty until the row is read; "???" for an address without memory
    std::string ascii;
    std::uint64_t readInPass = 0; // the poll pass that last read the value, 0 for none

    bool operator==(const MemoryRow&) const = default;
};

inline constexpr std::string_view kStartAddressMonitoringText = "주소 모니터링 시작";
inline constexpr std::string_view kStopAddressMonitoringText = "주소 모니터링 중지";

// The context menu: the monitoring toggle's text and which entries are enabled.
struct MemoryMenuState {
    std::string_view monitoringText;
    bool monitoringEnabled = false;
    bool startAddressEnabled = true;
    bool dataChangeEnabled = false;
    bool viewTypesEnabled = false;

    bool operator==(const MemoryMenuState&) const = default;
};

// What "선택 주소 데이타 변경" shows.
struct MemoryDataChangeDialog {
    std::string addressText;
    std::string_view viewTypeName;
    std::string valueText;
};

class MemoryMonitor {
public:
    // Reads "Start Data Address", "Start View Type" and the device row ("CPU TYPE") from the store, which must
    // outlive the monitor. The address width starts from the device row.
    MemoryMonitor(core::SettingsStore& store, MonitoringSwitch& monitoring);
    // Writes "Start Data Address" and "Start View Type" back.
    ~MemoryMonitor();
    MemoryMonitor(const MemoryMonitor&) = delete;
    MemoryMonitor& operator=(const MemoryMonitor&) = delete;

    // The device row chosen in the settings: it decides the gaps, and the address width without a program.
    void setDeviceIndex(int deviceIndex);
    // The symbol list was refilled: the address width follows the loaded program's target id (nullopt: none).
    void setProgramTargetId(std::optional<std::uint16_t> targetId);
    // The pane was resized: the rows are rebuilt at the next poll.
    void setRowsPerPage(int rowsPerPage);

    // One refresh: rebuilds the rows when needed, shows "???" for the gaps and reads every other row, the first
    // readable one and each one after a gap by its address, the rest as the next words. Stops at the first failed
    // read and answers false: earlier rows keep their new values, later ones stay as they were. Shows no message
    // and leaves the link and the monitoring flags to the caller.
    bool poll(link::CPodLink& link);
    // Address monitoring was stopped: the pane has no rows.
    void emptyRows();

    // A scroll bar action; address monitoring, when on, is stopped and started again around a new start.
    void scroll(ScrollAction action, std::uint32_t thumbPosition = 0);
    // The start address dialog: its edit text, and OK with the typed text. Returns the message of a refused entry
    // (the dialog stays open), nullopt when the dialog closes.
    std::string startAddressText() const;
    std::optional<std::string_view> enterStartAddress(std::string_view text);
    // A view type menu command; address monitoring, when on, is stopped and started again around it.
    void setViewType(ViewType view);

    // The data change dialog for a row; nullopt unless address monitoring is on and the row exists.
    std::optional<MemoryDataChangeDialog> dataChangeDialog(std::size_t row) const;
    // OK in the data change dialog: writes the parsed entry at the row's address, one word for the one-word view
    // types (the low 16 bits) and two words for the others.
    DataChangeResult changeData(link::CPodLink& link, std::size_t row, std::string_view entry);

    MemoryMenuState menuState(bool rowSelected) const;

    // The texts column 0 ("Address"), 1 ("Value") or 2 ("Ascii") must show in full: the rows' texts and, for the
    // address and the value, the widest text of the address width and of the view type.
    std::vector<std::string> columnTexts(int column) const;
    // The row's value and Ascii text are not current (see ShownValuesFreshness).
    bool valueStale(std::size_t row) const;

    std::uint32_t startAddress() const { return start_; }
    ViewType viewType() const { return view_; }
    int step() const;
    std::uint32_t range() const;
    core::Family addressFamily() const { return family_; }
    int rowsPerPage() const { return rowsPerPage_; }
    bool rowsValid() const { return rowsValid_; }
    const std::vector<MemoryRow>& rows() const { return rows_; }
    ScrollBarState scrollBar() const;

private:
    void followAddressWidth();
    void rebuildRows();
    bool readRow(link::CPodLink& link, MemoryRow& row, bool byAddress);
    void setStartAddress(std::uint32_t start);
    template <typename Change> void withAddressMonitoringPaused(Change change);

    core::SettingsStore& store_;
    MonitoringSwitch& monitoring_;
    int deviceIndex_;
    std::optional<std::uint16_t> programTargetId_;
    core::Family family_;
    std::uint32_t start_ = 0;
    ViewType view_ = ViewType::Hex16;
    int rowsPerPage_ = 0;
    bool rowsValid_ = false;
    std::vector<MemoryRow> rows_;
    ShownValuesFreshness freshness_;
};

} // namespace lumetra::monitor
