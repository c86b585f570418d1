#include "monitor/variable_monitor.h"

#include "monitor/address_width.h"
#include "monitor/bit_field_value.h"
#include "monitor/data_types.h"
#include "monitor/value_parse.h"
#include "monitor/value_render.h"
#include "monitor/widest_texts.h"

#include "image/symbol_rebinding.h"

#include <algorithm>
#include <functional>

namespace lumetra::monitor {

namespace {

const DataTypeInfo& dataTypeOf(const image::CDataObject& record)
{
    return dataTypeInfoOfField(record.type);
}

std::string dataTypeTextOf(const image::CDataObject& record)
{
    return monitor::dataTypeTextOf(record.type, record.bitOffset, record.bitWidth);
}

VariableRow rowOf(const image::CDataObject& record, std::string_view viewTypeText)
{
    return {{}, std::string(viewTypeText), dataTypeTextOf(record), {}};
}

char readMode(const DataTypeInfo& type)
{
    return type.wordCount == 1 ? 'R' : 'L';
}

std::vector<std::size_t> existingRowsLastFirst(std::span<const std::size_t> selectedRows, std::size_t rowCount)
{
    std::vector<std::size_t> rows;
    std::copy_if(selectedRows.begin(), selectedRows.end(), std::back_inserter(rows),
        [rowCount](std::size_t row) { return row < rowCount; });
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

VariableMonitor::VariableMonitor(std::vector<image::CDataObject>& registered, MonitoringSwitch& monitoring)
    : registered_(registered)
    , monitoring_(monitoring)
{
    rebuildRows();
}

ViewType VariableMonitor::viewTypeOf(const image::CDataObject& record) const
{
    return viewTypeFromCode(record.viewType).value_or(ViewType::Hex16);
}

bool VariableMonitor::addVariable(std::string_view name, const image::SymbolList& symbols)
{
    syncRows();
    const std::optional<image::CDataObject> symbol = symbols.findFirst(name);
    if (!symbol)
        return false;
    image::CDataObject record = *symbol;
    std::string_view viewTypeText;
    if (const auto view = dataTypeOf(record).defaultViewType) {
        record.viewType = viewTypeCode(*view);
        viewTypeText = viewTypeName(*view);
    }
    rows_.push_back(rowOf(record, viewTypeText));
    registered_.push_back(std::move(record));
    if (!monitoring_.variableMonitoring())
        monitoring_.startVariableMonitoring();
    return true;
}

void VariableMonitor::setVisibleRows(std::size_t firstVisible, std::size_t rowsPerPage)
{
    firstVisible_ = firstVisible;
    rowsPerPage_ = rowsPerPage;
}

void VariableMonitor::syncRows()
{
    // The list is the application's: when it was replaced without a rebuild, the rows follow it now.
    if (rows_.size() != registered_.size())
        rebuildRows();
}

bool VariableMonitor::poll(link::CPodLink& link)
{
    syncRows();
    // One row more than a page: the last one may be cut off at the bottom of the pane.
    const std::size_t end = std::min(registered_.size(), firstVisible_ + rowsPerPage_ + 1);
    freshness_.beginPass();
    for (std::size_t index = firstVisible_; index < end; ++index) {
        if (!readRow(link, index))
            return false;
    }
    return true;
}

bool VariableMonitor::readRow(link::CPodLink& link, std::size_t index)
{
    const image::CDataObject& record = registered_[index];
    const DataTypeInfo& type = dataTypeOf(record);
    if (type.wordCount == 0 || !type.displayGroup)
        return true;
    std::uint32_t raw = 0;
    if (!link.ReadWord(record.address, readMode(type), raw))
        return false;
    RenderedValue rendered = renderVariableValue(bitFieldValue(record, raw), viewTypeOf(record), *type.displayGroup);
    rows_[index].value = std::move(rendered.value);
    rows_[index].ascii = std::move(rendered.ascii);
    rows_[index].readInPass = freshness_.pass();
    return true;
}

void VariableMonitor::setViewType(std::span<const std::size_t> selectedRows, ViewType view)
{
    syncRows();
    for (const std::size_t row : selectedRows) {
        if (row >= registered_.size())
            continue;
        registered_[row].viewType = viewTypeCode(view);
        rows_[row].viewTypeText = viewTypeName(view);
    }
}

std::optional<VariableDataChangeDialog> VariableMonitor::dataChangeDialog(std::size_t row, std::uint16_t targetId) const
{
    if (row >= registered_.size())
        return std::nullopt;
    const image::CDataObject& record = registered_[row];
    return VariableDataChangeDialog {record.name,
        core::formatAddress(addressFamilyOfTargetId(targetId), record.address),
        dataTypeTextOf(record), row < rows_.size() ? rows_[row].value : std::string {}};
}

DataChangeResult VariableMonitor::changeData(link::CPodLink& link, std::size_t row, std::string_view entry)
{
    if (row >= registered_.size())
        return {};
    if (row < rows_.size() && rows_[row].unbound)
        return {DataChangeStatus::EntryRefused, kUnboundWriteRefusedText};
    const image::CDataObject& record = registered_[row];
    const EntryResult parsed = parseVariableEntry(entry, viewTypeOf(record), record.type);
    if (!parsed.ok())
        return {DataChangeStatus::EntryRefused, entryErrorMessage(*parsed.error)};
    const DataTypeInfo& type = dataTypeOf(record);
    const int width = type.wordCount == 1 ? 1 : 2;
    std::uint32_t value = width == 1 ? parsed.value & 0xFFFF : parsed.value;
    if (record.bitWidth != 0) {
        // A bit field is written with the other bits of its word as they are on the target now.
        std::uint32_t held = 0;
        if (!link.ReadWord(record.address, readMode(type), held))
            return {DataChangeStatus::WriteFailed, kWriteErrorMessage};
        const std::optional<std::uint32_t> word = withBitField(record, held, value);
        if (!word)
            return {DataChangeStatus::EntryRefused, kBitFieldRangeText};
        value = width == 1 ? *word & 0xFFFF : *word;
    }
    if (!link.WriteWord(width, record.address, value))
        return {DataChangeStatus::WriteFailed, kWriteErrorMessage};
    return {DataChangeStatus::Written, {}};
}

bool VariableMonitor::doubleClickRow(std::size_t row)
{
    if (row >= registered_.size())
        return false;
    if (monitoring_.variableMonitoring())
        return true;
    monitoring_.startVariableMonitoring();
    return false;
}

void VariableMonitor::removeRows(std::span<const std::size_t> selectedRows)
{
    syncRows();
    for (const std::size_t row : existingRowsLastFirst(selectedRows, registered_.size())) {
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
        registered_.erase(registered_.begin() + static_cast<std::ptrdiff_t>(row));
    }
    if (registered_.empty() && monitoring_.variableMonitoring())
        monitoring_.stopVariableMonitoring();
}

void VariableMonitor::removeAll()
{
    if (monitoring_.variableMonitoring())
        monitoring_.stopVariableMonitoring();
    rows_.clear();
    registered_.clear();
}

void VariableMonitor::refreshAgainstSymbols(const image::SymbolList& symbols)
{
    if (registered_.empty() || symbols.empty())
        return;
    syncRows();
    const bool monitoring = monitoring_.variableMonitoring();
    if (monitoring)
        monitoring_.stopVariableMonitoring();
    for (std::size_t index = 0; index < registered_.size(); ++index) {
        image::CDataObject& record = registered_[index];
        const std::optional<image::CDataObject> symbol = symbols.findFirst(record.name);
        if (!symbol || symbol->address == record.address || symbol->type == record.type)
            continue;
        record = *symbol;
        const auto view = refreshedViewType(record.type);
        record.viewType = viewTypeCode(view.value_or(ViewType::Hex16));
        rows_[index].dataTypeText = dataTypeTextOf(record);
        rows_[index].viewTypeText = view ? viewTypeName(*view) : std::string_view {};
    }
    if (monitoring)
        monitoring_.startVariableMonitoring();
}

void VariableMonitor::rebuildRows()
{
    rows_.clear();
    rows_.reserve(registered_.size());
    for (const image::CDataObject& record : registered_)
        rows_.push_back(rowOf(record, viewTypeName(viewTypeOf(record))));
    markUnbound();
}

void VariableMonitor::setProgramSymbols(const image::SymbolList* symbols)
{
    programSymbols_ = symbols;
    syncRows();
    markUnbound();
}

void VariableMonitor::markUnbound()
{
    for (std::size_t index = 0; index < rows_.size() && index < registered_.size(); ++index)
        rows_[index].unbound = programSymbols_ && image::lacksSymbol(registered_[index], *programSymbols_);
}

std::vector<std::string> VariableMonitor::unboundNames() const
{
    std::vector<std::string> names;
    for (std::size_t index = 0; index < rows_.size() && index < registered_.size(); ++index) {
        if (rows_[index].unbound)
            names.push_back(registered_[index].name);
    }
    return names;
}

std::string VariableMonitor::nameText(std::size_t row) const
{
    if (row >= registered_.size())
        return {};
    const bool unbound = row < rows_.size() && rows_[row].unbound;
    return registered_[row].name + (unbound ? std::string(kUnboundNameSuffix) : std::string());
}

VariableMenuState VariableMonitor::menuState(bool rowSelected) const
{
    const bool hasRows = !registered_.empty();
    const bool selected = hasRows && rowSelected;
    return {monitoring_.variableMonitoring() ? kStopVariableMonitoringText : kStartVariableMonitoringText,
        hasRows && !monitoring_.graphAcquiring(), true, hasRows, hasRows, selected, selected, selected};
}

std::optional<ViewType> VariableMonitor::selectedViewType(std::span<const std::size_t> selectedRows) const
{
    std::optional<ViewType> shared;
    for (const std::size_t row : selectedRows) {
        if (row >= registered_.size() || row >= rows_.size() || rows_[row].viewTypeText.empty())
            continue;
        const ViewType view = viewTypeOf(registered_[row]);
        if (shared && *shared != view)
            return std::nullopt;
        shared = view;
    }
    return shared;
}

bool VariableMonitor::valueStale(std::size_t row) const
{
    return row >= rows_.size() || freshness_.stale(rows_[row].readInPass, monitoring_.variableMonitoring());
}

std::vector<std::string> VariableMonitor::columnTexts(int column) const
{
    std::vector<std::string> texts;
    const std::size_t count = std::min(rows_.size(), registered_.size());
    for (std::size_t index = 0; index < count; ++index) {
        const VariableRow& row = rows_[index];
        const image::CDataObject& record = registered_[index];
        switch (column) {
        case 0:
            texts.push_back(nameText(index));
            break;
        case 1:
            texts.push_back(row.value);
            if (const auto group = dataTypeOf(record).displayGroup)
                texts.push_back(widestVariableValueText(viewTypeOf(record), *group));
            break;
        case 2:
            texts.push_back(row.viewTypeText);
            break;
        case 3:
            texts.push_back(row.dataTypeText);
            break;
        default:
            texts.push_back(row.ascii);
            break;
        }
    }
    return texts;
}

} // namespace lumetra::monitor
