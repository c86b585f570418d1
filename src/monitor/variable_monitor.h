// The variable monitor pane without its window: one row per registered variable, read by address on every poll
// and shown in the row's own view type, with the view type, data change and removal commands.
#pragma once

#include "monitor/data_change.h"
#include "monitor/monitoring_switch.h"
#include "monitor/shown_values_freshness.h"
#include "monitor/view_types.h"

#include "image/data_object.h"
#include "image/symbol_list.h"
#include "link/pod_link.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::monitor {

// The texts of one row besides the record's name.
struct VariableRow {
    std::string value;
    std::string viewTypeText; // empty for a Void variable added from the symbol list
    std::string dataTypeText; // the basic type's display name (a pointer's whole type), a bit field's bits
    std::string ascii;
    std::uint64_t readInPass = 0; // the poll pass that last read the value, 0 for none
    bool unbound = false; // the loaded program has no symbol of the record's name

    bool operator==(const VariableRow&) const = default;
};

// "Symbol Name" of a row whose variable the loaded program has no symbol for.
inline constexpr std::string_view kUnboundNameSuffix = " (프로그램에 없음)";
// A marked row's address belongs to another program: a data change there could overwrite one of this program's
// variables, so it is refused.
inline constexpr std::string_view kUnboundWriteRefusedText
    = "로드한 프로그램에 없는 변수이므로 값을 쓰지 않았읍니다. 변수를 다시 등록하십시요.";

// A data change on a bit field whose value does not fit the field's bits.
inline constexpr std::string_view kBitFieldRangeText = "비트 필드의 범위를 벗어난 값입니다.";

inline constexpr std::string_view kStartVariableMonitoringText = "변수 모니터링 시작";
inline constexpr std::string_view kStopVariableMonitoringText = "변수 모니터링 중지";

// The context menu: the monitoring toggle's text and which entries are enabled.
struct VariableMenuState {
    std::string_view monitoringText;
    bool monitoringEnabled = false;
    bool openSymbolFileEnabled = true;
    bool saveSymbolFileEnabled = false;
    bool removeAllEnabled = false;
    bool removeSelectedEnabled = false;
    bool dataChangeEnabled = false;
    bool viewTypesEnabled = false;

    bool operator==(const VariableMenuState&) const = default;
};

// What "심볼 데이타 변환" shows.
struct VariableDataChangeDialog {
    std::string name;
    std::string addressText; // "0x%04X" for a program with target id 0x0092, else "0x%06X"
    std::string dataTypeText;
    std::string valueText;
};

class VariableMonitor {
public:
    // `registered` is the application's registered variable list, which must outlive the monitor; row i shows
    // record i.
    VariableMonitor(std::vector<image::CDataObject>& registered, MonitoringSwitch& monitoring);

    // Adds the first symbol of that name with its data type's default view type, and starts variable monitoring
    // when it is off. False (nothing added) when the symbol list has no such name.
    bool addVariable(std::string_view name, const image::SymbolList& symbols);

    // The first visible row and the rows per page: a poll reads rows first .. first + rowsPerPage.
    void setVisibleRows(std::size_t firstVisible, std::size_t rowsPerPage);

    // One refresh of the visible rows, each read by its address with R (one word) or L (two words), a bit field
    // showing its own bits; Void rows are not read. Stops at the first failed read and answers false: earlier rows keep their new values, later ones
    // stay as they were. Shows no message and leaves the link and the monitoring flags to the caller.
    bool poll(link::CPodLink& link);

    // The view type menu commands: every selected row takes the view type; monitoring goes on.
    void setViewType(std::span<const std::size_t> selectedRows, ViewType view);

    // The data change dialog for a row; nullopt when there is no such row. targetId is the loaded program's.
    std::optional<VariableDataChangeDialog> dataChangeDialog(std::size_t row, std::uint16_t targetId) const;
    // A double click on a row: while variable monitoring is on it asks for the data change dialog (true);
    // otherwise it starts variable monitoring, as adding a variable does.
    bool doubleClickRow(std::size_t row);
    // OK in the data change dialog: parses the entry by the row's view type and data type and writes it at the
    // record's address, one word (the low 16 bits) for one-word data types and two words otherwise. Refused on a
    // row the loaded program lacks. A bit field reads its word first and writes it back with only the field's bits
    // changed; a value that does not fit the field is refused.
    DataChangeResult changeData(link::CPodLink& link, std::size_t row, std::string_view entry);

    // Removes the selected rows and their records; an emptied list stops variable monitoring.
    void removeRows(std::span<const std::size_t> selectedRows);
    // Stops variable monitoring when it is on and empties the list.
    void removeAll();

    // After the symbol list was refilled: every record whose symbol now has another address and another type takes
    // all of the symbol's fields and the refreshed view type of its data type. Variable monitoring is paused
    // around it. Nothing happens unless both lists have records.
    void refreshAgainstSymbols(const image::SymbolList& symbols);
    // After the registered list was replaced (a symbol file was opened): one row per record, in list order.
    void rebuildRows();

    // The loaded program's symbols, null without a program; they must outlive the monitor or be replaced. A row
    // whose name they lack keeps an earlier program's address: it is marked (and still read) until a program
    // with that name is loaded or the variable is registered again.
    void setProgramSymbols(const image::SymbolList* symbols);
    // The names of the marked rows, in row order.
    std::vector<std::string> unboundNames() const;
    // "Symbol Name": the record's name, followed by kUnboundNameSuffix on a marked row.
    std::string nameText(std::size_t row) const;

    VariableMenuState menuState(bool rowSelected) const;
    // The view type the menu checks: the one all selected rows that show a view type share, else none.
    std::optional<ViewType> selectedViewType(std::span<const std::size_t> selectedRows) const;

    // The row's value and Ascii text are not current (see ShownValuesFreshness).
    bool valueStale(std::size_t row) const;
    // The texts column 0 ("Symbol Name") to 4 ("Ascii") must show in full: the rows' texts and, for the value,
    // the widest text of each row's view type and data type.
    std::vector<std::string> columnTexts(int column) const;

    const std::vector<image::CDataObject>& records() const { return registered_; }
    const std::vector<VariableRow>& rows() const { return rows_; }

private:
    void syncRows();
    bool readRow(link::CPodLink& link, std::size_t index);
    ViewType viewTypeOf(const image::CDataObject& record) const;

    void markUnbound();

    std::vector<image::CDataObject>& registered_;
    MonitoringSwitch& monitoring_;
    const image::SymbolList* programSymbols_ = nullptr;
    std::vector<VariableRow> rows_;
    ShownValuesFreshness freshness_;
    std::size_t firstVisible_ = 0;
    std::size_t rowsPerPage_ = 0;
};

} // namespace lumetra::monitor
