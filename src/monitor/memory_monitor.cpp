#include "monitor/memory_monitor.h"

#include "monitor/address_width.h"
#include "monitor/memory_gap_map.h"
#include "monitor/number_entry.h"
#include "monitor/start_address_entry.h"
#include "monitor/value_parse.h"
#include "monitor/value_render.h"
#include "monitor/widest_texts.h"

#include "core/settings_schema.h"

namespace lumetra::monitor {

namespace {

int stepOf(ViewType view)
{
    return memoryWordCount(view);
}

std::uint32_t storedStartAddress(std::int32_t stored)
{
    return stored < 0 ? 0 : static_cast<std::uint32_t>(stored);
}

} // namespace

MemoryMonitor::MemoryMonitor(core::SettingsStore& store, MonitoringSwitch& monitoring)
    : store_(store)
    , monitoring_(monitoring)
    , deviceIndex_(core::readSetting(store, core::SettingId::CpuType))
    , family_(addressFamilyOf(std::nullopt, deviceIndex_))
{
    const auto storedView = core::readSetting(store, core::SettingId::StartViewType);
    view_ = viewTypeFromCode(static_cast<unsigned>(storedView)).value_or(ViewType::Hex16);
    start_ = keepStartAddressValid(
        storedStartAddress(core::readSetting(store, core::SettingId::StartDataAddress)), range(), step());
}

MemoryMonitor::~MemoryMonitor()
{
    core::writeSetting(store_, core::SettingId::StartDataAddress, static_cast<std::int32_t>(start_));
    core::writeSetting(store_, core::SettingId::StartViewType, viewTypeCode(view_));
}

void MemoryMonitor::setDeviceIndex(int deviceIndex)
{
    deviceIndex_ = deviceIndex;
    followAddressWidth();
}

void MemoryMonitor::setProgramTargetId(std::optional<std::uint16_t> targetId)
{
    programTargetId_ = targetId;
    followAddressWidth();
}

void MemoryMonitor::setRowsPerPage(int rowsPerPage)
{
    rowsPerPage_ = rowsPerPage > 0 ? rowsPerPage : 0;
    rowsValid_ = false;
}

int MemoryMonitor::step() const
{
    return stepOf(view_);
}

std::uint32_t MemoryMonitor::range() const
{
    return core::addressSpaceWordsOf(family_);
}

ScrollBarState MemoryMonitor::scrollBar() const
{
    return memoryScrollBar(range(), step(), start_, rowsPerPage_);
}

void MemoryMonitor::followAddressWidth()
{
    const core::Family family = addressFamilyOf(programTargetId_, deviceIndex_);
    if (family == family_)
        return;
    family_ = family;
    start_ = keepStartAddressValid(start_, range(), step());
    // The address texts and the rows beyond the new range go with the old width.
    rowsValid_ = false;
}

void MemoryMonitor::rebuildRows()
{
    rows_.clear();
    const std::uint32_t step = static_cast<std::uint32_t>(this->step());
    std::uint32_t address = start_;
    for (int n = 0; n < rowsPerPage_ && address < range(); ++n, address += step)
        rows_.push_back({address, core::formatAddress(family_, address), {}, {}});
    rowsValid_ = true;
}

bool MemoryMonitor::poll(link::CPodLink& link)
{
    followAddressWidth();
    if (rows_.empty() || !rowsValid_)
        rebuildRows();
    freshness_.beginPass();
    bool byAddress = true;
    for (MemoryRow& row : rows_) {
        if (inMemoryGap(deviceIndex_, row.address, step())) {
            row.value = kUnreadableCellText;
            row.ascii = kUnreadableCellText;
            row.readInPass = freshness_.pass();
            byAddress = true;
            continue;
        }
        if (!readRow(link, row, byAddress))
            return false;
        byAddress = false;
    }
    return true;
}

bool MemoryMonitor::readRow(link::CPodLink& link, MemoryRow& row, bool byAddress)
{
    // Lower-case modes: the POD moves on to the word after the ones read, so the next row needs no address.
    const char mode = step() == 2 ? 'l' : 'r';
    std::uint32_t raw = 0;
    const bool read = byAddress ? link.ReadWord(row.address, mode, raw) : link.ReadNext(mode, raw);
    if (!read)
        return false;
    RenderedValue rendered = renderMemoryCell(raw, view_);
    row.value = std::move(rendered.value);
    row.ascii = std::move(rendered.ascii);
    row.readInPass = freshness_.pass();
    return true;
}

void MemoryMonitor::emptyRows()
{
    rows_.clear();
}

template <typename Change> void MemoryMonitor::withAddressMonitoringPaused(Change change)
{
    const bool monitoring = monitoring_.addressMonitoring();
    if (monitoring)
        monitoring_.stopAddressMonitoring();
    change();
    rowsValid_ = false;
    if (monitoring)
        monitoring_.startAddressMonitoring();
}

void MemoryMonitor::setStartAddress(std::uint32_t start)
{
    withAddressMonitoringPaused([&] { start_ = start; });
}

void MemoryMonitor::scroll(ScrollAction action, std::uint32_t thumbPosition)
{
    const auto position = scrolledPosition(scrollBar(), action, thumbPosition);
    if (position)
        setStartAddress(startAddressOfPosition(*position, step()));
}

std::string MemoryMonitor::startAddressText() const
{
    return core::formatAddress(family_, start_);
}

std::optional<std::string_view> MemoryMonitor::enterStartAddress(std::string_view text)
{
    const StartAddressEntry entered = parseStartAddressEntry(text);
    if (!entered.value)
        return entered.refusal;
    const std::uint32_t start = clampEnteredStartAddress(*entered.value, range(), step(), rowsPerPage_);
    if (start != start_)
        setStartAddress(start);
    return std::nullopt;
}

void MemoryMonitor::setViewType(ViewType view)
{
    withAddressMonitoringPaused([&] {
        if (stepOf(view) == 2)
            start_ = keepStartAddressValid(start_, range(), 2);
        view_ = view;
    });
}

std::optional<MemoryDataChangeDialog> MemoryMonitor::dataChangeDialog(std::size_t row) const
{
    if (!monitoring_.addressMonitoring() || row >= rows_.size())
        return std::nullopt;
    return MemoryDataChangeDialog {rows_[row].addressText, viewTypeName(view_), rows_[row].value};
}

DataChangeResult MemoryMonitor::changeData(link::CPodLink& link, std::size_t row, std::string_view entry)
{
    if (!monitoring_.addressMonitoring() || row >= rows_.size())
        return {};
    const EntryResult parsed = parseMemoryEntry(entry, view_);
    if (!parsed.ok())
        return {DataChangeStatus::EntryRefused, entryErrorMessage(*parsed.error)};
    const std::uint32_t address = convertUnsigned32(rows_[row].addressText, 16);
    const int width = step();
    const std::uint32_t value = width == 1 ? parsed.value & 0xFFFF : parsed.value;
    if (!link.WriteWord(width, address, value))
        return {DataChangeStatus::WriteFailed, kWriteErrorMessage};
    return {DataChangeStatus::Written, {}};
}

MemoryMenuState MemoryMonitor::menuState(bool rowSelected) const
{
    const bool monitoring = monitoring_.addressMonitoring();
    return {monitoring ? kStopAddressMonitoringText : kStartAddressMonitoringText, !monitoring_.graphAcquiring(), true,
        monitoring && rowSelected && !rows_.empty(), monitoring};
}

std::vector<std::string> MemoryMonitor::columnTexts(int column) const
{
    std::vector<std::string> texts;
    for (const MemoryRow& row : rows_)
        texts.push_back(column == 0 ? row.addressText : column == 1 ? row.value : row.ascii);
    if (column == 0)
        texts.push_back(core::formatAddress(family_, range() - 1));
    else if (column == 1)
        texts.push_back(widestMemoryCellText(view_));
    return texts;
}

bool MemoryMonitor::valueStale(std::size_t row) const
{
    return row >= rows_.size() || freshness_.stale(rows_[row].readInPass, monitoring_.addressMonitoring());
}

} // namespace lumetra::monitor
