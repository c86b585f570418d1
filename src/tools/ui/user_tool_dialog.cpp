#include "tools/ui/user_tool_dialog.h"

#include "tools/ui/tool_button_icons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumetra::tools::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

UserToolDialog::UserToolDialog(core::SettingsStore& store, const PathProbe& probe, core::UserPrompts& prompts,
    ToolBrowsers browsers, QWidget* parent)
    : QDialog(parent)
    , store_(store)
    , probe_(probe)
    , prompts_(prompts)
    , browsers_(std::move(browsers))
    , state_(openToolDialog(store))
{
    setWindowTitle(qt(kToolDialogTitle));

    list_ = new QListWidget;
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("사용자 도구 목록")));
    listColumn->addWidget(list_);
    listColumn->addWidget(buildListButtons());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("취소"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addLayout(listColumn, 1);
    top->addWidget(buildEdits(), 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, &UserToolDialog::rowClicked);
    for (QLineEdit* edit : {commandEdit_, folderEdit_, nameEdit_})
        connect(edit, &QLineEdit::textEdited, this, &UserToolDialog::editsChanged);
    showState();
}

QWidget* UserToolDialog::buildEdits()
{
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    commandEdit_ = new QLineEdit;
    folderEdit_ = new QLineEdit;
    nameEdit_ = new QLineEdit;
    programBrowse_ = new QPushButton(QStringLiteral("...."));
    folderBrowse_ = new QPushButton(QStringLiteral("...."));
    for (QPushButton* browse : {programBrowse_, folderBrowse_}) {
        browse->setAutoDefault(false);
        browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    }
    grid->addWidget(new QLabel(QStringLiteral("커맨드 라인")), 0, 0, 1, 2);
    grid->addWidget(commandEdit_, 1, 0);
    grid->addWidget(programBrowse_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("작업 디렉토리")), 2, 0, 1, 2);
    grid->addWidget(folderEdit_, 3, 0);
    grid->addWidget(folderBrowse_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("사용자 도구 이름")), 4, 0, 1, 2);
    grid->addWidget(nameEdit_, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
    box->setMinimumWidth(360);
    connect(programBrowse_, &QPushButton::clicked, this, &UserToolDialog::browseProgram);
    connect(folderBrowse_, &QPushButton::clicked, this, &UserToolDialog::browseFolder);
    return box;
}

QWidget* UserToolDialog::buildListButtons()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](ListButton kind, const char* tip) {
        auto* b = new QToolButton;
        b->setIcon(listButtonIcon(kind));
        b->setToolTip(QString::fromUtf8(tip));
        b->setAutoRaise(false);
        layout->addWidget(b);
        return b;
    };
    add_ = button(ListButton::Add, "추가");
    replace_ = button(ListButton::Replace, "대체");
    delete_ = button(ListButton::Delete, "삭제");
    up_ = button(ListButton::Up, "위로");
    down_ = button(ListButton::Down, "아래로");
    layout->addStretch();

    connect(add_, &QToolButton::clicked, this, [this] { apply(addTool(state_, probe_)); });
    connect(replace_, &QToolButton::clicked, this, [this] { apply(replaceTool(state_, probe_)); });
    connect(delete_, &QToolButton::clicked, this, [this] { apply(deleteTool(state_)); });
    connect(up_, &QToolButton::clicked, this, [this] {
        moveToolUp(state_);
        showState();
    });
    connect(down_, &QToolButton::clicked, this, [this] {
        moveToolDown(state_);
        showState();
    });
    return row;
}

void UserToolDialog::showState()
{
    const QSignalBlocker blockList(list_);
    list_->clear();
    for (const UserTool& row : state_.rows)
        list_->addItem(qt(row.name));
    list_->setCurrentRow(state_.selected);
    commandEdit_->setText(qt(state_.edits.command));
    folderEdit_->setText(qt(state_.edits.workDir));
    nameEdit_->setText(qt(state_.edits.name));
}

void UserToolDialog::editsChanged()
{
    state_.edits = {utf8(commandEdit_->text()), utf8(folderEdit_->text()), utf8(nameEdit_->text())};
}

void UserToolDialog::rowClicked(int row)
{
    selectToolRow(state_, row);
    showState();
}

void UserToolDialog::apply(const ToolDialogStep& step)
{
    state_ = step.state;
    showState();
    if (step.message)
        prompts_.showMessage(step.message->icon, step.message->text);
}

void UserToolDialog::browseProgram()
{
    if (!browsers_.chooseProgram)
        return;
    if (const std::optional<QString> path = browsers_.chooseProgram(this, qt(state_.initialFolder))) {
        programChosen(state_, utf8(*path), probe_.style());
        showState();
    }
}

void UserToolDialog::browseFolder()
{
    if (!browsers_.chooseFolder)
        return;
    const QString start = state_.initialFolder.empty() ? qt(state_.edits.workDir) : qt(state_.initialFolder);
    if (const std::optional<QString> folder = browsers_.chooseFolder(this, start)) {
        workFolderChosen(state_, utf8(*folder));
        showState();
    }
}

void UserToolDialog::done(int result)
{
    if (result == QDialog::Accepted)
        acceptToolDialog(state_, store_);
    else
        cancelToolDialog(state_, store_);
    QDialog::done(result);
}

} // namespace lumetra::tools::ui
