// The status bar prompt and the tool tip of every main window command, kept as one "prompt\ntip" text: the
// prompt shows in pane 0 while the command's menu entry or toolbar button is highlighted, the tip beside the
// toolbar button.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lumetra::app {

enum class MainCommand {
    CoffOpen,
    CoffReload,
    SymbolOpen,
    SymbolSave,
    RecentFile,
    Exit,
    VariableMonitoring,
    AddressMonitoring,
    TargetReset,
    SciBoot,
    ClosePort,
    DataFlashErase,
    DataFlashWrite,
    DataFlashWriteVerify,
    MemoryGraph,
    TimeGraph,
    Settings,
    OutputWindow,
    ToolBar,
    StatusBar,
    UserToolRegistration,
    About,
};

inline constexpr std::array kMainCommands {MainCommand::CoffOpen, MainCommand::CoffReload, MainCommand::SymbolOpen,
    MainCommand::SymbolSave, MainCommand::RecentFile, MainCommand::Exit, MainCommand::VariableMonitoring,
    MainCommand::AddressMonitoring, MainCommand::TargetReset, MainCommand::SciBoot, MainCommand::ClosePort,
    MainCommand::DataFlashErase, MainCommand::DataFlashWrite, MainCommand::DataFlashWriteVerify,
    MainCommand::MemoryGraph, MainCommand::TimeGraph, MainCommand::Settings, MainCommand::OutputWindow,
    MainCommand::ToolBar, MainCommand::StatusBar, MainCommand::UserToolRegistration, MainCommand::About};

// The whole text, prompt and tip separated by one line break.
std::string_view commandStatusText(MainCommand command);

struct CommandPrompt {
    std::string prompt;
    std::string tip;
};

// The text split at its line break; the tip shows a doubled "&&" of the menu text as one "&".
CommandPrompt commandPrompt(MainCommand command);

} // namespace lumetra::app
