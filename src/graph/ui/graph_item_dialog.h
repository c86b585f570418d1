// The item dialog of either graph kind ("그래프 환경 설정" / "시간 그래프 환경 설정"): shows the state of the item
// dialog logic and hands every choice and button to it. "추가", "대체" and "삭제" change the catalogue at once;
// the selection, the environment record and the settings change only on OK (and, but for the colours and
// the selection mode, on a double click of a row).
#pragma once

#include "core/user_prompts.h"
#include "graph/items/graph_settings.h"
#include "graph/items/item_dialog_logic.h"
#include "image/data_object.h"

#include <QDialog>

#include <array>
#include <functional>
#include <span>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lumetra::graph::ui {

class ChannelColourButton;

class GraphItemDialog : public QDialog {
    Q_OBJECT

public:
    // Memory graph. `settings` are the memory graph's.
    GraphItemDialog(std::vector<CGraphObject>& catalogue, std::vector<CGraphObject>& selection,
        GraphEnvironment& environment, GraphKindSettings& settings, const std::vector<image::CDataObject>& symbols,
        std::uint16_t targetId, core::UserPrompts& prompts, QWidget* parent = nullptr);
    // Time graph. `settings` are the time graph's.
    GraphItemDialog(std::vector<CTimeGraphObject>& catalogue, std::vector<CTimeGraphObject>& selection,
        GraphEnvironment& environment, GraphKindSettings& settings, const std::vector<image::CDataObject>& symbols,
        std::uint16_t targetId, core::UserPrompts& prompts, QWidget* parent = nullptr);

    // The speed of the line to the POD: OK on a time graph whose interval is shorter than one sample's time on it
    // warns before the graph starts. 0 (the default): no warning.
    void setLineBaud(int baud) { lineBaud_ = baud; }

    // The state the controls show now.
    const ItemDialogState& state() const { return state_; }

    // Controls, for tests.
    QTableWidget* itemList() const { return list_; }
    QComboBox* symbolList() const { return symbolList_; }
    QLineEdit* labelEdit() const { return labelEdit_; }
    QLineEdit* addressEdit() const { return addressEdit_; }
    QLineEdit* lengthEdit() const { return lengthEdit_; }
    QComboBox* typeList() const { return typeList_; }
    QLineEdit* precisionEdit() const { return precisionEdit_; }
    QComboBox* scaleModeList() const { return scaleModeList_; }
    QLineEdit* minEdit() const { return minEdit_; }
    QLineEdit* maxEdit() const { return maxEdit_; }
    QLineEdit* intervalEdit() const { return intervalEdit_; }
    QCheckBox* separateGraphsCheck() const { return separateGraphs_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* replaceButton() const { return replaceButton_; }
    QPushButton* deleteButton() const { return deleteButton_; }
    ChannelColourButton* colourButton(int channel) const
    {
        return colourButtons_.at(static_cast<std::size_t>(channel));
    }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using ChannelsWriter = std::function<void(std::span<const GraphChannel>)>;

    GraphItemDialog(GraphKind kind, std::vector<GraphChannel> rows, ChannelsWriter writeCatalogue,
        ChannelsWriter writeSelection, GraphEnvironment& environment, GraphKindSettings& settings,
        const std::vector<image::CDataObject>& symbols, std::uint16_t targetId, core::UserPrompts& prompts,
        QWidget* parent);

    QWidget* buildEditor();
    QWidget* buildColours();
    void showRows();
    void showEditor();
    void readControls();

    void rowsSelected();
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    void applyStep(const ItemDialogStep& step);
    bool applyAccept(AcceptKind kind);

    ItemDialogState state_;
    ChannelsWriter writeCatalogue_;
    ChannelsWriter writeSelection_;
    GraphEnvironment& environment_;
    GraphKindSettings& settings_;
    const std::vector<image::CDataObject>& symbols_;
    core::UserPrompts& prompts_;
    int lineBaud_ = 0;

    QTableWidget* list_ = nullptr;
    std::array<ChannelColourButton*, kMaxChannels> colourButtons_ {};
    QCheckBox* separateGraphs_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* replaceButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QComboBox* symbolList_ = nullptr;
    QLineEdit* labelEdit_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;
    QLineEdit* lengthEdit_ = nullptr; // memory graph only
    QComboBox* typeList_ = nullptr;
    QLineEdit* precisionEdit_ = nullptr;
    QComboBox* scaleModeList_ = nullptr;
    QLineEdit* minEdit_ = nullptr;
    QLineEdit* maxEdit_ = nullptr;
    QLineEdit* intervalEdit_ = nullptr; // time graph only
};

} // namespace lumetra::graph::ui
