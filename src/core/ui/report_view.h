// A report list: a table with grid lines, whole-row selection and rows of one height (fast for any row count),
// whose column widths are read from "View Information" when its model is set and written back when it is
// destroyed.
#pragma once

#include "core/settings_schema.h"

#include <QTableView>

#include <string>
#include <vector>

namespace lumetra::core::ui {

class ReportView : public QTableView {
    Q_OBJECT

public:
    ReportView(SettingsStore& store, ColumnView columns, QWidget* parent = nullptr);
    ~ReportView() override;

    ReportView(const ReportView&) = delete;
    ReportView& operator=(const ReportView&) = delete;

    // Sets the model and gives its columns the stored widths.
    void setModel(QAbstractItemModel* model) override;

    // The current widths, one per column of the view's settings.
    std::vector<int> columnWidths() const;
    // Widens the column when it is narrower than its header or one of `texts`; a wider width stays.
    void fitColumnTo(int column, const std::vector<std::string>& texts);

private:
    SettingsStore& store_;
    ColumnView columns_;
};

} // namespace lumetra::core::ui
