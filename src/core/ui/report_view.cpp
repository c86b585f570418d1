#include "core/ui/report_view.h"

#include "core/configuration.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace lumetra::core::ui {

ReportView::ReportView(SettingsStore& store, ColumnView columns, QWidget* parent)
    : QTableView(parent)
    , store_(store)
    , columns_(columns)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setShowGrid(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

ReportView::~ReportView()
{
    // Without a model the columns never had their widths; the stored ones stay.
    if (model() != nullptr)
        saveColumnWidths(store_, columns_, columnWidths());
}

void ReportView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    const std::vector<int> widths = loadColumnWidths(store_, columns_);
    for (std::size_t column = 0; column < widths.size(); ++column)
        setColumnWidth(static_cast<int>(column), widths[column]);
}

void ReportView::fitColumnTo(int column, const std::vector<std::string>& texts)
{
    // The cell's own margins: the text margin on both sides, a pixel of the grid and one of rounding, as the text
    // is laid out with fractional widths.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    const QFontMetricsF metrics(font());
    int needed = horizontalHeader()->sectionSizeHint(column);
    for (const std::string& text : texts) {
        const double width = metrics.horizontalAdvance(QString::fromStdString(text));
        needed = std::max(needed, static_cast<int>(std::ceil(width)) + margin);
    }
    if (columnWidth(column) < needed)
        setColumnWidth(column, needed);
}

std::vector<int> ReportView::columnWidths() const
{
    std::vector<int> widths;
    const int count = columnCountOf(columns_);
    for (int column = 0; column < count; ++column)
        widths.push_back(columnWidth(column));
    return widths;
}

} // namespace lumetra::core::ui
