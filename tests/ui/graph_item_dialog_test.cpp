#include "graph/ui/graph_entry_dialog.h"
#include "graph/ui/graph_item_dialog.h"
#include "graph/ui/qt_graph_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <string>
#include <vector>

using namespace lumetra::graph;
using lumetra::graph::ui::GraphItemDialog;

namespace {

class RecordingPrompts final : public lumetra::core::UserPrompts {
public:
    void showMessage(lumetra::core::MessageIcon, std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

lumetra::image::CDataObject symbol(std::string name, std::uint32_t address, std::uint16_t type, std::string arrayInfo)
{
    lumetra::image::CDataObject s;
    s.name = std::move(name);
    s.address = address;
    s.type = type;
    s.arrayInfo = std::move(arrayInfo);
    return s;
}

void pressDelete(QWidget* widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

// Saves what the dialog looks like when LUMETRA_SCREENSHOT_DIR names a folder.
void saveScreenshot(QWidget& dialog, const char* name)
{
    const QString folder = qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    dialog.show();
    dialog.grab().save(folder + QLatin1Char('/') + QLatin1String(name));
}

const std::vector<lumetra::image::CDataObject> kSymbols {
    symbol("SineTable", 0x8100, 6, "Array Info : [64]"), symbol("Counter", 0x8000, 14, "")};

} // namespace

TEST(GraphItemDialogWidget, AddChangesTheCatalogueAtOnceAndOkStoresTheSelectionAndRecord)
{
    std::vector<CGraphObject> catalogue {{"Old", 0x9000, 16, 13, 0}};
    std::vector<CGraphObject> selection;
    GraphEnvironment environment;
    GraphKindSettings settings {"10", "-10", ScaleMode::Automatic, false, {0xB5FFE7, 0xDEFF94, 0xFF69FF, 0xD6D7D6}};
    RecordingPrompts prompts;
    GraphItemDialog dialog(catalogue, selection, environment, settings, kSymbols, 0x009D, prompts);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("그래프 환경 설정"));
    EXPECT_EQ(dialog.itemList()->horizontalHeaderItem(0)->text(), QStringLiteral("Lable"));
    EXPECT_EQ(dialog.labelEdit()->text(), QStringLiteral("SineTable"));
    EXPECT_EQ(dialog.lengthEdit()->text(), QStringLiteral("64"));
    EXPECT_FALSE(dialog.precisionEdit()->isReadOnly());
    EXPECT_TRUE(dialog.maxEdit()->isReadOnly());
    saveScreenshot(dialog, "graph_item_dialog_memory.png");

    dialog.addButton()->click();
    ASSERT_EQ(catalogue.size(), 2u);
    EXPECT_EQ(catalogue[1], (CGraphObject {"SineTable", 0x8100, 64, 6, 3}));
    EXPECT_EQ(dialog.itemList()->rowCount(), 2);
    EXPECT_EQ(dialog.itemList()->item(1, 2)->text(), QStringLiteral("0x40"));
    dialog.addButton()->click();
    EXPECT_EQ(prompts.texts, std::vector<std::string> {"같은 이름의 항목이 이미 등록 되었읍니다."});

    dialog.separateGraphsCheck()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(selection, std::vector {catalogue[1]});
    EXPECT_EQ(environment.length, 64u);
    EXPECT_EQ(environment.decimals, 3u);
    EXPECT_TRUE(settings.separateGraphs);
}

TEST(GraphItemDialogWidget, TheDeleteKeyRemovesRowsAndCancelKeepsOnlyTheCatalogueChange)
{
    std::vector<CTimeGraphObject> catalogue {{"a", 0x300, 3, 0}, {"b", 0x301, 3, 0}};
    std::vector<CTimeGraphObject> selection {{"a", 0x300, 3, 0}};
    GraphEnvironment environment;
    environment.interval = 40;
    GraphKindSettings settings {"10", "-10", ScaleMode::Manual, false, {1, 2, 3, 4}};
    RecordingPrompts prompts;
    GraphItemDialog dialog(catalogue, selection, environment, settings, kSymbols, 0x0092, prompts);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("시간 그래프 환경 설정"));
    EXPECT_EQ(dialog.lengthEdit(), nullptr);
    EXPECT_EQ(dialog.intervalEdit()->text(), QStringLiteral("40"));
    EXPECT_EQ(dialog.itemList()->item(0, 1)->text(), QStringLiteral("0x0300"));
    EXPECT_FALSE(dialog.maxEdit()->isReadOnly());
    saveScreenshot(dialog, "graph_item_dialog_time.png");

    pressDelete(dialog.itemList()); // the last row is selected on opening
    EXPECT_EQ(catalogue, (std::vector<CTimeGraphObject> {{"a", 0x300, 3, 0}}));
    pressDelete(dialog.itemList());
    EXPECT_EQ(prompts.texts, std::vector<std::string> {"삭제할 그래프 아이템 항목을 선택하십시요."});

    dialog.intervalEdit()->setText(QStringLiteral("5"));
    dialog.reject();
    EXPECT_EQ(selection, (std::vector<CTimeGraphObject> {{"a", 0x300, 3, 0}}));
    EXPECT_EQ(environment.interval, 40);
}

TEST(GraphItemDialogWidget, OkRefusesAnIntervalThatIsNoNumberAndSaysWhichValueItsRangeApplied)
{
    std::vector<CTimeGraphObject> catalogue {{"a", 0x300, 3, 0}};
    std::vector<CTimeGraphObject> selection;
    GraphEnvironment environment;
    environment.interval = 40;
    GraphKindSettings settings {"10", "-10", ScaleMode::Automatic, false, {1, 2, 3, 4}};
    RecordingPrompts prompts;
    GraphItemDialog dialog(catalogue, selection, environment, settings, kSymbols, 0x009D, prompts);

    dialog.intervalEdit()->setText(QStringLiteral("abc"));
    dialog.accept();
    EXPECT_EQ(prompts.texts, std::vector<std::string> {"시간 간격 값이 숫자가 아닙니다."});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(environment.interval, 40);
    EXPECT_TRUE(selection.empty());

    dialog.intervalEdit()->setText(QStringLiteral("-5"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(environment.interval, 0);
    ASSERT_EQ(prompts.texts.size(), 2u);
    EXPECT_EQ(prompts.texts[1], "시간 간격 값이 허용 범위를 벗어나 0(으)로 적용되었읍니다.");
}

TEST(GraphEntryDialogWidget, TheIntervalDialogRefusesLettersAndTellsAClampedValueAsItCloses)
{
    RecordingPrompts prompts;
    lumetra::graph::ui::QtGraphDialogs dialogs(prompts, nullptr);
    std::vector<bool> stayedOpen;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<lumetra::graph::ui::GraphEntryDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->edit(0)->text(), QStringLiteral("10"));
        dialog->edit(0)->setText(QStringLiteral("12ms"));
        dialog->accept();
        stayedOpen.push_back(dialog->isVisible());
        dialog->edit(0)->setText(QStringLiteral("99999999999"));
        dialog->accept();
        stayedOpen.push_back(dialog->isVisible());
    });
    EXPECT_EQ(dialogs.askInterval("10"), 2147483647);
    EXPECT_EQ(stayedOpen, (std::vector<bool> {true, false}));
    EXPECT_EQ(prompts.texts,
        (std::vector<std::string> {
            "시간 간격 값이 숫자가 아닙니다.", "시간 간격 값이 허용 범위를 벗어나 2147483647(으)로 적용되었읍니다."}));
}

TEST(GraphItemDialogWidget, OkWarnsOfAnIntervalShorterThanOneSampleOnTheLineAndStillAccepts)
{
    std::vector<CTimeGraphObject> catalogue {{"a", 0x300, 13, 0}, {"b", 0x302, 6, 3}, {"c", 0x304, 3, 0}};
    std::vector<CTimeGraphObject> selection;
    GraphEnvironment environment;
    GraphKindSettings settings {"10", "-10", ScaleMode::Automatic, false, {1, 2, 3, 4}};
    RecordingPrompts prompts;
    GraphItemDialog dialog(catalogue, selection, environment, settings, kSymbols, 0x009D, prompts);
    dialog.setLineBaud(115200); // 61 bytes a sample: 5.295 ms
    dialog.itemList()->clearSelection();
    dialog.intervalEdit()->setText(QStringLiteral("5"));
    dialog.accept();
    EXPECT_EQ(prompts.texts,
        std::vector<std::string> {
            "시간 간격(5 ms)이 한 샘플을 읽는 통신 시간(5.295 ms)보다 짧아 샘플이 늦어지거나 빠질 수 있읍니다."});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(selection.size(), 3u);
    EXPECT_EQ(environment.interval, 5);
}

TEST(GraphItemDialogWidget, OkPlotsEveryItemAddedWhileTheDialogIsOpen)
{
    std::vector<CTimeGraphObject> catalogue {{"Old", 0x300, 13, 0}};
    std::vector<CTimeGraphObject> selection;
    GraphEnvironment environment;
    GraphKindSettings settings {"10", "-10", ScaleMode::Automatic, false, {1, 2, 3, 4}};
    RecordingPrompts prompts;
    GraphItemDialog dialog(catalogue, selection, environment, settings, kSymbols, 0x009D, prompts);
    for (const auto& [label, address] :
        {std::pair {"Torque", "0x8024"}, {"AdcResult", "0x8010"}, {"SineWave", "0x8002"}}) {
        dialog.labelEdit()->setText(QString::fromUtf8(label));
        dialog.addressEdit()->setText(QString::fromUtf8(address));
        dialog.addButton()->click();
    }
    ASSERT_EQ(catalogue.size(), 4u);
    EXPECT_EQ(dialog.itemList()->selectionModel()->selectedRows().size(), 3) << "the list shows what OK plots";

    dialog.accept();
    EXPECT_TRUE(prompts.texts.empty());
    ASSERT_EQ(selection.size(), 3u);
    EXPECT_EQ(selection[0].label, "Torque");
    EXPECT_EQ(selection[2].label, "SineWave");
}
