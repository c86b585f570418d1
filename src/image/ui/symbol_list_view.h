// The symbol list pane: the program's symbols sorted by name, structures and unions expandable into their
// members and arrays of them into their elements, columns as wide as their texts, with the context menu that opens
// a COFF file, expands or collapses a row, or hands the chosen symbols and members to the variable monitor.
#pragma once

#include "core/ui/report_view.h"
#include "core/ui/row_table_model.h"
#include "image/symbol_list.h"
#include "image/symbol_rows.h"

#include <set>
#include <string>
#include <vector>

class QMenu;

namespace lumetra::image::ui {

using SymbolTableModel = core::ui::RowTableModel<SymbolRow>;

class SymbolListView : public core::ui::ReportView {
    Q_OBJECT

public:
    explicit SymbolListView(core::SettingsStore& store, QWidget* parent = nullptr);

    // Refills the rows from the symbol list; the addresses follow the target id of the loaded program.
    void showSymbols(const SymbolList& symbols, std::uint16_t targetId);

    SymbolTableModel* symbolModel() const { return model_; }
    // The names of the selected rows in row order (members by their dotted names).
    std::vector<std::string> selectedNames() const;
    // Shows or hides the members of the row (nothing for a row without members).
    void toggleMembers(int row);

    // The context menu as it opens now (tests look at its entries).
    QMenu* buildContextMenu();

signals:
    void openCoffRequested();
    // Symbols to add to the variable monitor, in row order.
    void addSymbolsRequested(const std::vector<std::string>& names);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A click on a row's "+" or "-" opens or closes it.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void refill();

    SymbolTableModel* model_;
    SymbolList symbols_; // a copy: it shares the loaded file's bytes and the members' types
    std::uint16_t targetId_ = 0;
    std::set<std::string> expanded_;
};

} // namespace lumetra::image::ui
