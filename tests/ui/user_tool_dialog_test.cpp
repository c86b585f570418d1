#include "tools/ui/user_tool_dialog.h"

#include "core/memory_settings_store.h"
#include "tools/registered_tools.h"
#include "tools/ui/user_tools_controller.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <fstream>

using namespace lumetra;
using tools::ui::UserToolDialog;

namespace {

class RecordingPrompts final : public core::UserPrompts {
public:
    void showMessage(core::MessageIcon icon, std::string_view text) override
    {
        texts.emplace_back(text);
        icons.push_back(icon);
    }
    std::vector<std::string> texts;
    std::vector<core::MessageIcon> icons;
};

// Replaces the edit's text as typing does.
void type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(edit, &erase);
    if (text.isEmpty())
        return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &press);
}

QStringList rowsOf(const QListWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

class UserToolDialogTest : public ::testing::Test {
protected:
    UserToolDialogTest()
    {
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "gen.sh") << "#!/bin/sh\n";
        program = QString::fromStdString((folder / "gen.sh").string());
    }

    void addTool(UserToolDialog& dialog, const QString& command, const QString& name = {})
    {
        type(dialog.commandEdit(), command);
        type(dialog.folderEdit(), QString());
        type(dialog.nameEdit(), name);
        dialog.addButton()->click();
    }

    const test::ScratchDir scratch;
    const std::filesystem::path folder = scratch.path();
    QString program;
    core::MemorySettingsStore store;
    tools::SystemPathProbe probe;
    RecordingPrompts prompts;
};

TEST_F(UserToolDialogTest, ShowsItsTitleListEditsAndButtonTips)
{
    tools::writeRegisteredTools(store, {{program.toStdString(), "", "A"}, {program.toStdString() + " -x", "/", "B"}});
    UserToolDialog dialog(store, probe, prompts, {});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("사용자 도구 등록 설정"));
    EXPECT_EQ(rowsOf(dialog.toolList()), QStringList({"A", "B"}));
    EXPECT_EQ(dialog.toolList()->currentRow(), 1) << "the last row is selected";
    EXPECT_TRUE(dialog.commandEdit()->text().isEmpty()) << "the edits stay empty";
    QStringList tips;
    for (QToolButton* b :
        {dialog.addButton(), dialog.replaceButton(), dialog.deleteButton(), dialog.upButton(), dialog.downButton()}) {
        tips << b->toolTip();
        EXPECT_FALSE(b->icon().isNull());
    }
    EXPECT_EQ(tips, QStringList({"추가", "대체", "삭제", "위로", "아래로"}));
    EXPECT_EQ(dialog.programBrowseButton()->text(), QStringLiteral("...."));
    EXPECT_EQ(dialog.folderBrowseButton()->text(), QStringLiteral("...."));

    dialog.toolList()->setCurrentRow(0);
    EXPECT_EQ(dialog.commandEdit()->text(), program);
    EXPECT_EQ(dialog.nameEdit()->text(), QStringLiteral("A"));
    dialog.toolList()->setCurrentRow(1);
    EXPECT_EQ(dialog.folderEdit()->text(), QStringLiteral("/"));
}

TEST_F(UserToolDialogTest, RefusalsShowTheirMessageAndKeepTheDialogOpen)
{
    UserToolDialog dialog(store, probe, prompts, {});
    dialog.show();
    addTool(dialog, QStringLiteral("gen.sh -o out.bin"));
    for (int i = 0; i < 5; ++i)
        addTool(dialog, program + QStringLiteral(" -n"), QStringLiteral("T%1").arg(i));
    EXPECT_EQ(dialog.toolList()->count(), 5);
    EXPECT_EQ(dialog.toolList()->currentRow(), 4);
    addTool(dialog, program, QStringLiteral("sixth"));
    EXPECT_EQ(prompts.texts,
        (std::vector<std::string> {"커맨드 라인의 파일 경로 입력이 잘못되었읍니다.\n원인: 실행 파일 \"gen.sh\"에 폴더 "
                                   "경로가 없읍니다.",
            "사용자 등록 도구는 최대 5개까지 지원합니다.\n"}));
    EXPECT_EQ(prompts.icons, (std::vector<core::MessageIcon>(2, core::MessageIcon::Information)));
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
    EXPECT_TRUE(tools::readRegisteredTools(store).empty()) << "Cancel writes no row";
}

TEST_F(UserToolDialogTest, EmptyNameIsFilledAndBrowsingFillsTheEdits)
{
    tools::ui::ToolBrowsers browsers;
    QString programStart;
    browsers.chooseProgram = [&](QWidget*, const QString& start) -> std::optional<QString> {
        programStart = start;
        return program;
    };
    browsers.chooseFolder = [&](QWidget*, const QString&) -> std::optional<QString> { return QStringLiteral("/"); };
    store.writeText("User Menu", "UserMenuInitDir", "/opt");
    UserToolDialog dialog(store, probe, prompts, browsers);

    dialog.programBrowseButton()->click();
    EXPECT_EQ(programStart, QStringLiteral("/opt"));
    EXPECT_EQ(dialog.commandEdit()->text(), program);
    EXPECT_EQ(dialog.folderEdit()->text(), QString::fromStdString(folder.string()));
    EXPECT_EQ(dialog.nameEdit()->text(), QStringLiteral("gen"));

    dialog.folderBrowseButton()->click();
    EXPECT_EQ(dialog.folderEdit()->text(), QStringLiteral("/"));
    type(dialog.commandEdit(), program + QStringLiteral(" -o out.bin"));
    type(dialog.nameEdit(), QString());
    dialog.addButton()->click();
    EXPECT_EQ(dialog.nameEdit()->text(), QString()) << "the name taken from the command went with the added row";
    EXPECT_EQ(rowsOf(dialog.toolList()), QStringList({"gen"}));
    dialog.accept();
    EXPECT_EQ(tools::readRegisteredTools(store),
        (std::vector<tools::UserTool> {{program.toStdString() + " -o out.bin", "/", "gen"}}));
    EXPECT_EQ(std::get<std::string>(*store.stored("User Menu", "UserMenuInitDir")), "/");
}

TEST_F(UserToolDialogTest, DeletingTheMiddleToolLeavesTwoEntriesInTheMenuAndTheToolbar)
{
    tools::writeRegisteredTools(store,
        {{program.toStdString(), "", "A"}, {program.toStdString(), "", "B"}, {program.toStdString(), "", "C&D"}});
    QWidget window;
    QMenu menu(QStringLiteral("도구(&T)"));
    QAction registration(QStringLiteral("사용자 도구 등록(&C)...\tShift+C"));
    menu.addAction(&registration);
    menu.addSeparator();
    std::array<QAction*, tools::kMaxUserTools> buttons {};
    for (QAction*& b : buttons)
        b = new QAction(&window);
    tools::SystemProgramFiles files;
    tools::ui::UserToolsController controller(
        {store, prompts, probe, files, {}, {}, {}, {}, {}, {}}, &menu, &registration, buttons, &window);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(buttons[static_cast<std::size_t>(i)]->isVisible());
    }

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<UserToolDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->toolList()->setCurrentRow(1);
        dialog->deleteButton()->click();
        EXPECT_EQ(dialog->toolList()->currentRow(), 1);
        dialog->accept();
    });
    registration.trigger();

    for (int i = 0; i < 5; ++i) {
        const std::string command
            = std::get<std::string>(*store.stored("User Menu", "MenuCommand" + std::to_string(i)));
        EXPECT_EQ(command.empty(), i >= 2) << i;
    }
    QStringList buttonTips;
    for (const QAction* b : buttons) {
        if (b->isVisible())
            buttonTips << b->toolTip();
    }
    EXPECT_EQ(buttonTips, QStringList({"A", "C&D"}));

    // Opening the menu rebuilds it, twice over without doubling.
    for (int opening = 0; opening < 2; ++opening) {
        emit menu.aboutToShow();
        QStringList texts;
        for (const QAction* entry : menu.actions())
            texts << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
        EXPECT_EQ(texts, QStringList({"사용자 도구 등록(&C)...\tShift+C", "-", "A\tShift+1", "C&&D\tShift+2"}));
        EXPECT_EQ(menu.actions().at(3)->data().toInt(), 32808);
        EXPECT_TRUE(menu.actions().at(2)->shortcut().isEmpty()) << "the Shift labels are no accelerators";
    }
}

TEST_F(UserToolDialogTest, LongNamesAreCutInTheButtonTips)
{
    const QString longName = QString(100, QChar(u'도'));
    tools::writeRegisteredTools(store, {{program.toStdString(), "", longName.toStdString()}});
    QWidget window;
    QMenu menu;
    QAction registration;
    menu.addAction(&registration);
    menu.addSeparator();
    std::array<QAction*, tools::kMaxUserTools> buttons {};
    for (QAction*& b : buttons)
        b = new QAction(&window);
    tools::SystemProgramFiles files;
    tools::ui::UserToolsController controller(
        {store, prompts, probe, files, {}, {}, {}, {}, {}, {}}, &menu, &registration, buttons, &window);
    EXPECT_EQ(buttons[0]->toolTip(), QString(80, QChar(u'도')));
    EXPECT_FALSE(buttons[1]->isVisible());
}

} // namespace
