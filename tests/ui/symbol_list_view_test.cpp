#include "core/memory_settings_store.h"
#include "image/ui/hex_dump_model.h"
#include "image/ui/section_page.h"
#include "image/ui/symbol_list_view.h"

#include "core/ui/report_view.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QItemSelectionModel>
#include <QMenu>

namespace lumetra::image::ui {
namespace {

constexpr std::uint16_t kIntType = 4;

SymbolList symbols(std::initializer_list<const char*> names)
{
    std::vector<CDataObject> records;
    std::uint32_t address = 0x8000;
    for (const char* name : names)
        records.push_back(CDataObject {name, address++, kIntType, "", 0});
    return SymbolList(std::move(records));
}

QStringList column(const SymbolListView& view, int c)
{
    QStringList texts;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        texts << view.model()->index(row, c).data().toString();
    return texts;
}

TEST(SymbolListViewTest, ColumnWidthsComeFromTheStoreAndGoBackToIt)
{
    core::MemorySettingsStore store;
    {
        SymbolListView view(store);
        EXPECT_EQ(view.columnWidths(), std::vector<int>({100, 70, 120, 110}));
        EXPECT_EQ(view.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Etc"));
        view.setColumnWidth(2, 155);
    }
    EXPECT_EQ(store.readInt("View Information", "Left Column2 Width", 0), 155);
    SymbolListView again(store);
    EXPECT_EQ(again.columnWidth(2), 155);
}

TEST(SymbolListViewTest, RowsAreSortedByNameIgnoringCaseWithTheLoadedAddressWidth)
{
    core::MemorySettingsStore store;
    SymbolListView view(store);
    view.showSymbols(symbols({"zeta", "Alpha", "beta"}), 0x0092);
    EXPECT_EQ(column(view, 0), QStringList({"Alpha", "beta", "zeta"}));
    EXPECT_EQ(column(view, 1), QStringList({"0x8001", "0x8002", "0x8000"}));
    view.showSymbols(symbols({"zeta"}), 0x009D);
    EXPECT_EQ(column(view, 1), QStringList({"0x008000"}));
}

TEST(SymbolListViewTest, ContextMenuFollowsTheListAndTheSelection)
{
    core::MemorySettingsStore store;
    SymbolListView view(store);
    std::vector<std::string> added;
    int openRequests = 0;
    QObject::connect(&view, &SymbolListView::addSymbolsRequested,
        [&added](const std::vector<std::string>& names) { added = names; });
    QObject::connect(&view, &SymbolListView::openCoffRequested, [&openRequests] { ++openRequests; });

    QMenu* menu = view.buildContextMenu();
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("COFF 파일 열기..."));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("심볼 목록 추가"));
    EXPECT_EQ(menu->actions()[2]->text(), QStringLiteral("멤버 보기"));
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    EXPECT_FALSE(menu->actions()[1]->isEnabled());
    EXPECT_FALSE(menu->actions()[2]->isEnabled());
    menu->actions()[0]->trigger();
    EXPECT_EQ(openRequests, 1);
    delete menu;

    view.showSymbols(symbols({"c", "a", "b"}), 0x009D);
    // Selected bottom-up; added in row order.
    view.selectionModel()->select(view.model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view.selectionModel()->select(view.model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    menu = view.buildContextMenu();
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    EXPECT_TRUE(menu->actions()[1]->isEnabled());
    menu->actions()[1]->trigger();
    EXPECT_EQ(added, std::vector<std::string>({"a", "c"}));
    delete menu;

    emit view.doubleClicked(view.model()->index(1, 2));
    EXPECT_EQ(added, std::vector<std::string>({"b"}));
}

// A structure symbol with a union member that holds a word and its bit fields.
SymbolList structureSymbols()
{
    auto aggregates = std::make_shared<std::vector<DebugAggregate>>(3);
    (*aggregates)[0].members = {{"CTRL", 2, 9, {}, 1}, {"COUNT", 4, 15, {}, -1}};
    (*aggregates)[1].members = {{"all", 0, 14, {}, -1}, {"bit", 0, 8, {}, 2}};
    (*aggregates)[2].members = {{"RESET", 0, 14, {}, -1}};
    SymbolList list;
    list.appendTypedFromDebugInfo("Regs", 0x7000, 8, "", 0);
    list.appendTypedFromDebugInfo("value", 0x8000, 6, "");
    list.useAggregates(aggregates);
    return list;
}

TEST(SymbolListViewTest, StructuresExpandIntoTheirMembersWhichAreAddedByDottedName)
{
    core::MemorySettingsStore store;
    SymbolListView view(store);
    std::vector<std::string> added;
    QObject::connect(&view, &SymbolListView::addSymbolsRequested,
        [&added](const std::vector<std::string>& names) { added = names; });
    view.showSymbols(structureSymbols(), 0x009D);
    EXPECT_EQ(column(view, 0), QStringList({"+ Regs", "value"}));

    view.setCurrentIndex(view.model()->index(0, 0));
    QMenu* menu = view.buildContextMenu();
    ASSERT_TRUE(menu->actions()[2]->isEnabled());
    menu->actions()[2]->trigger();
    delete menu;
    EXPECT_EQ(column(view, 0), QStringList({"- Regs", "    + Regs.CTRL", "    Regs.COUNT", "value"}));
    EXPECT_EQ(column(view, 1), QStringList({"0x007000", "0x007002", "0x007004", "0x008000"}));
    EXPECT_EQ(column(view, 2), QStringList({"Structure", "Union", "Unsigned long", "Floating point"}));

    view.toggleMembers(1);
    EXPECT_EQ(column(view, 0).mid(1, 3),
        QStringList({"    - Regs.CTRL", "        Regs.CTRL.all", "        + Regs.CTRL.bit"}));
    emit view.doubleClicked(view.model()->index(3, 0));
    EXPECT_EQ(added, std::vector<std::string>({"Regs.CTRL.bit"}));

    view.setCurrentIndex(view.model()->index(0, 0));
    menu = view.buildContextMenu();
    EXPECT_EQ(menu->actions()[2]->text(), QStringLiteral("멤버 숨기기"));
    menu->actions()[2]->trigger();
    delete menu;
    EXPECT_EQ(column(view, 0), QStringList({"+ Regs", "value"}));
}

TEST(SymbolListViewTest, AHundredThousandSymbolsFitOneModel)
{
    core::MemorySettingsStore store;
    SymbolListView view(store);
    std::vector<CDataObject> records(100000);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i] = CDataObject {"v" + std::to_string(99999 - i), static_cast<std::uint32_t>(i + 1), kIntType, "", 0};
    view.showSymbols(SymbolList(std::move(records)), 0x009D);
    EXPECT_EQ(view.model()->rowCount(), 100000);
    EXPECT_EQ(view.model()->index(0, 0).data().toString(), QStringLiteral("v0"));
}

TEST(SectionPageTest, ListsTheSectionsAndShowsTheSelectedOnesBytes)
{
    core::MemorySettingsStore store;
    SectionPage page(store);
    ProgramImage image;
    page.showSections(image);
    EXPECT_EQ(page.sectionModel()->rowCount(), 0);
    EXPECT_EQ(page.sectionList()->columnWidths(), std::vector<int>({120, 120, 120, 120}));
}

void clickAt(SymbolListView& view, QPoint point)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(point), view.viewport()->mapToGlobal(QPointF(point)),
        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(point), view.viewport()->mapToGlobal(QPointF(point)),
        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &release);
}

TEST(SymbolListViewTest, AClickOnThePlusOpensTheRowAndEveryTextFitsItsColumn)
{
    core::MemorySettingsStore store;
    SymbolListView view(store);
    view.resize(800, 300);
    view.show();
    view.showSymbols(structureSymbols(), 0x009D);
    const QRect regs = view.visualRect(view.model()->index(0, 0));
    clickAt(view, QPoint(regs.left() + 4, regs.center().y()));
    EXPECT_EQ(column(view, 0), QStringList({"- Regs", "    + Regs.CTRL", "    Regs.COUNT", "value"}));
    // On the name the click only selects.
    clickAt(view, QPoint(regs.right() - 2, regs.center().y()));
    EXPECT_EQ(view.model()->rowCount(), 4);
    const QRect ctrl = view.visualRect(view.model()->index(1, 0));
    const int indent = QFontMetrics(view.font()).horizontalAdvance(QStringLiteral("    "));
    clickAt(view, QPoint(ctrl.left() + indent + 4, ctrl.center().y()));
    EXPECT_EQ(column(view, 0).mid(1, 3),
        QStringList({"    - Regs.CTRL", "        Regs.CTRL.all", "        + Regs.CTRL.bit"}));

    const QFontMetrics metrics(view.font());
    for (int c = 0; c < view.model()->columnCount(); ++c) {
        for (const QString& text : column(view, c))
            EXPECT_LT(metrics.horizontalAdvance(text), view.columnWidth(c)) << text.toStdString();
    }
}

} // namespace
} // namespace lumetra::image::ui
