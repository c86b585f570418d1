#include "graph/ui/graph_item_dialog.h"

#include "graph/items/graph_item_conversion.h"
#include "graph/session/sample_wire_time.h"
#include "graph/ui/channel_colour_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lumetra::graph::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

// The Windows key code of the Delete key, which the list takes like the character code of the same number.
constexpr int kDeleteKeyCode = 46;
constexpr int kListMinimumHeight = 180;

QString captionOf(GraphKind kind)
{
    return kind == GraphKind::Memory ? QStringLiteral("그래프 환경 설정") : QStringLiteral("시간 그래프 환경 설정");
}

} // namespace

GraphItemDialog::GraphItemDialog(std::vector<CGraphObject>& catalogue, std::vector<CGraphObject>& selection,
    GraphEnvironment& environment, GraphKindSettings& settings, const std::vector<image::CDataObject>& symbols,
    std::uint16_t targetId, core::UserPrompts& prompts, QWidget* parent)
    : GraphItemDialog(
        GraphKind::Memory, channelsOf(catalogue),
        [&catalogue](std::span<const GraphChannel> rows) { assignItems(catalogue, rows); },
        [&selection](std::span<const GraphChannel> rows) { assignItems(selection, rows); }, environment, settings,
        symbols, targetId, prompts, parent)
{
}

GraphItemDialog::GraphItemDialog(std::vector<CTimeGraphObject>& catalogue, std::vector<CTimeGraphObject>& selection,
    GraphEnvironment& environment, GraphKindSettings& settings, const std::vector<image::CDataObject>& symbols,
    std::uint16_t targetId, core::UserPrompts& prompts, QWidget* parent)
    : GraphItemDialog(
        GraphKind::Time, channelsOf(catalogue),
        [&catalogue](std::span<const GraphChannel> rows) { assignItems(catalogue, rows); },
        [&selection](std::span<const GraphChannel> rows) { assignItems(selection, rows); }, environment, settings,
        symbols, targetId, prompts, parent)
{
}

GraphItemDialog::GraphItemDialog(GraphKind kind, std::vector<GraphChannel> rows, ChannelsWriter writeCatalogue,
    ChannelsWriter writeSelection, GraphEnvironment& environment, GraphKindSettings& settings,
    const std::vector<image::CDataObject>& symbols, std::uint16_t targetId, core::UserPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , state_(openItemDialog({kind, targetId, std::move(rows), settings, environment.interval}, symbols))
    , writeCatalogue_(std::move(writeCatalogue))
    , writeSelection_(std::move(writeSelection))
    , environment_(environment)
    , settings_(settings)
    , symbols_(symbols)
    , prompts_(prompts)
{
    setWindowTitle(captionOf(kind));

    list_ = new QTableWidget(0, static_cast<int>(itemColumns(kind).size()));
    list_->setShowGrid(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setHighlightSections(false);
    int listWidth = 2 * list_->frameWidth();
    QStringList titles;
    for (const ItemColumn& column : itemColumns(kind)) {
        titles << qt(column.title);
        list_->setColumnWidth(static_cast<int>(titles.size()) - 1, column.width);
        listWidth += column.width;
    }
    list_->setHorizontalHeaderLabels(titles);
    list_->setMinimumSize(listWidth, kListMinimumHeight);
    list_->installEventFilter(this);

    separateGraphs_ = new QCheckBox(QStringLiteral("개별적 그래프 그리기"));
    addButton_ = new QPushButton(QStringLiteral("추가"));
    replaceButton_ = new QPushButton(QStringLiteral("대체"));
    deleteButton_ = new QPushButton(QStringLiteral("삭제"));
    auto* buttonsRow = new QHBoxLayout;
    buttonsRow->addWidget(separateGraphs_);
    buttonsRow->addStretch();
    buttonsRow->addWidget(addButton_);
    buttonsRow->addWidget(replaceButton_);
    buttonsRow->addWidget(deleteButton_);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("확인"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("취소"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &GraphItemDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GraphItemDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(buildColours());
    layout->addLayout(buttonsRow);
    layout->addWidget(buildEditor());
    layout->addWidget(buttons);

    showRows();
    showEditor();

    connect(list_, &QTableWidget::itemSelectionChanged, this, &GraphItemDialog::rowsSelected);
    connect(list_, &QTableWidget::cellClicked, this, [this](int row, int) { rowClicked(row); });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { rowDoubleClicked(row); });
    connect(addButton_, &QPushButton::clicked, this, [this] {
        readControls();
        applyStep(addItem(state_));
    });
    connect(replaceButton_, &QPushButton::clicked, this, [this] {
        readControls();
        applyStep(replaceItem(state_));
    });
    connect(deleteButton_, &QPushButton::clicked, this, [this] {
        readControls();
        applyStep(deleteItems(state_));
    });
    connect(symbolList_, &QComboBox::activated, this, [this](int index) {
        readControls();
        chooseSymbol(state_, symbols_, index);
        showEditor();
    });
    connect(typeList_, &QComboBox::activated, this, [this](int index) {
        readControls();
        chooseType(state_, index);
        showEditor();
    });
    connect(scaleModeList_, &QComboBox::activated, this, [this](int index) {
        readControls();
        chooseScaleMode(state_, index == 1 ? ScaleMode::Manual : ScaleMode::Automatic);
        showEditor();
    });
}

QWidget* GraphItemDialog::buildColours()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int n = 0; n < kMaxChannels; ++n) {
        auto* button = new ChannelColourButton(
            QStringLiteral("Ch%1 Line Color").arg(n + 1), defaultChannelColour(state_.kind, n));
        connect(button, &ChannelColourButton::colourChosen, this,
            [this, n](std::uint32_t colour) { state_.colours[static_cast<std::size_t>(n)] = colour; });
        colourButtons_[static_cast<std::size_t>(n)] = button;
        layout->addWidget(button);
    }
    layout->addStretch();
    return row;
}

QWidget* GraphItemDialog::buildEditor()
{
    auto* group = new QGroupBox;
    symbolList_ = new QComboBox;
    symbolList_->setMaxVisibleItems(20);
    for (const image::CDataObject& symbol : symbols_)
        symbolList_->addItem(qt(symbol.name));
    labelEdit_ = new QLineEdit;
    addressEdit_ = new QLineEdit;
    typeList_ = new QComboBox;
    for (const ItemTypeChoice& choice : kItemTypeChoices)
        typeList_->addItem(qt(choice.text));
    precisionEdit_ = new QLineEdit;
    precisionEdit_->setMaxLength(1);
    scaleModeList_ = new QComboBox;
    scaleModeList_->addItem(QStringLiteral("자동 Scale"));
    scaleModeList_->addItem(QStringLiteral("수동 Scale"));
    minEdit_ = new QLineEdit;
    maxEdit_ = new QLineEdit;

    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("심볼 리스트")), 0, 0);
    grid->addWidget(symbolList_, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("레이블 이름")), 1, 0);
    grid->addWidget(labelEdit_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("시작 주소")), 1, 2);
    grid->addWidget(addressEdit_, 1, 3);
    int row = 2;
    if (state_.kind == GraphKind::Memory) {
        lengthEdit_ = new QLineEdit;
        grid->addWidget(new QLabel(QStringLiteral("데이터 길이")), row, 0);
        grid->addWidget(lengthEdit_, row++, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("데이터 타입")), row, 0);
    grid->addWidget(typeList_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Precision")), row, 2);
    grid->addWidget(precisionEdit_, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Scale Mode")), row, 0);
    grid->addWidget(scaleModeList_, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Min")), row, 0);
    grid->addWidget(minEdit_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Max")), row, 2);
    grid->addWidget(maxEdit_, row++, 3);
    if (state_.kind == GraphKind::Time) {
        intervalEdit_ = new QLineEdit;
        auto* interval = new QHBoxLayout;
        interval->addWidget(intervalEdit_);
        interval->addWidget(new QLabel(QStringLiteral("(ms)")));
        grid->addWidget(new QLabel(QStringLiteral("시간 간격")), row, 0);
        grid->addLayout(interval, row, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

void GraphItemDialog::showRows()
{
    const QSignalBlocker blocker(list_);
    list_->clearSelection();
    list_->setRowCount(static_cast<int>(state_.rows.size()));
    for (std::size_t row = 0; row < state_.rows.size(); ++row) {
        const std::vector<std::string> cells = rowCells(state_.kind, state_.addressFamily, state_.rows[row]);
        for (std::size_t column = 0; column < cells.size(); ++column)
            list_->setItem(static_cast<int>(row), static_cast<int>(column), new QTableWidgetItem(qt(cells[column])));
    }
    QItemSelection selection;
    for (int row : state_.selectedRows)
        selection.select(list_->model()->index(row, 0), list_->model()->index(row, list_->columnCount() - 1));
    list_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!state_.selectedRows.empty())
        list_->scrollTo(list_->model()->index(state_.selectedRows.back(), 0));
}

void GraphItemDialog::showEditor()
{
    const ItemEditor& editor = state_.editor;
    symbolList_->setCurrentIndex(state_.symbolIndex);
    labelEdit_->setText(qt(editor.label));
    addressEdit_->setText(qt(editor.address));
    if (lengthEdit_ != nullptr)
        lengthEdit_->setText(qt(editor.length));
    typeList_->setCurrentIndex(editor.typeIndex);
    precisionEdit_->setText(qt(editor.precision));
    precisionEdit_->setReadOnly(!editor.precisionWritable);
    scaleModeList_->setCurrentIndex(state_.scaleMode == ScaleMode::Manual ? 1 : 0);
    minEdit_->setText(qt(state_.minText));
    maxEdit_->setText(qt(state_.maxText));
    minEdit_->setReadOnly(!state_.boundsWritable());
    maxEdit_->setReadOnly(!state_.boundsWritable());
    if (intervalEdit_ != nullptr)
        intervalEdit_->setText(qt(state_.intervalText));
    separateGraphs_->setChecked(state_.separateGraphs);
    for (std::size_t n = 0; n < colourButtons_.size(); ++n)
        colourButtons_[n]->setColour(state_.colours[n]);
}

void GraphItemDialog::readControls()
{
    ItemEditor& editor = state_.editor;
    editor.label = utf8(labelEdit_->text());
    editor.address = utf8(addressEdit_->text());
    if (lengthEdit_ != nullptr)
        editor.length = utf8(lengthEdit_->text());
    editor.precision = utf8(precisionEdit_->text());
    state_.minText = utf8(minEdit_->text());
    state_.maxText = utf8(maxEdit_->text());
    if (intervalEdit_ != nullptr)
        state_.intervalText = utf8(intervalEdit_->text());
    state_.separateGraphs = separateGraphs_->isChecked();
}

void GraphItemDialog::rowsSelected()
{
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    selectRows(state_, std::move(rows));
}

void GraphItemDialog::rowClicked(int row)
{
    readControls();
    clickRow(state_, row);
    showEditor();
}

void GraphItemDialog::rowDoubleClicked(int row)
{
    rowClicked(row);
    applyAccept(AcceptKind::DoubleClick);
}

void GraphItemDialog::applyStep(const ItemDialogStep& step)
{
    if (const auto* message = std::get_if<core::DialogMessage>(&step)) {
        prompts_.showMessage(message->icon, message->text);
        return;
    }
    state_ = std::get<ItemDialogState>(step);
    writeCatalogue_(state_.rows);
    showRows();
    showEditor();
}

bool GraphItemDialog::applyAccept(AcceptKind kind)
{
    const ItemDialogAccept outcome = acceptItemDialog(state_, environment_, settings_, kind);
    if (const auto* message = std::get_if<core::DialogMessage>(&outcome)) {
        prompts_.showMessage(message->icon, message->text);
        return false;
    }
    const ItemDialogResult& result = std::get<ItemDialogResult>(outcome);
    if (kind == AcceptKind::Ok) {
        if (const auto warning = intervalWarning(result.environment, result.selection, lineBaud_))
            prompts_.showMessage(warning->icon, warning->text);
    }
    environment_ = result.environment;
    settings_ = result.settings;
    writeSelection_(result.selection);
    if (!result.notice.empty())
        prompts_.showMessage(core::MessageIcon::Information, result.notice);
    return true;
}

void GraphItemDialog::accept()
{
    readControls();
    if (applyAccept(AcceptKind::Ok))
        QDialog::accept();
}

bool GraphItemDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const int keyCode = key->key() == Qt::Key_Delete ? kDeleteKeyCode : 0;
        const int characterCode = key->text().size() == 1 ? key->text().at(0).unicode() : 0;
        if (actsAsDelete(keyCode) || actsAsDelete(characterCode)) {
            readControls();
            applyStep(deleteItems(state_));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace lumetra::graph::ui
