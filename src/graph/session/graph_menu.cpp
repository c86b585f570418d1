#include "graph/session/graph_menu.h"

namespace lumetra::graph {

namespace {

struct CommandTexts {
    GraphCommand command;
    std::string_view menuText;
    std::string_view contextText;
    std::string_view shortcut;
};

constexpr CommandTexts kRedraw {GraphCommand::Redraw, "다시 그리기(&R)", "다시 그리기", "Ctrl+R"};
constexpr CommandTexts kStart {GraphCommand::Start, "데이타 수집 시작(&S)", "데이타 수집 시작", "Ctrl+S"};
constexpr CommandTexts kStop {GraphCommand::Stop, "데이타 수집 중지(&T)", "데이타 수집 중지", "Ctrl+T"};
constexpr CommandTexts kPrint {GraphCommand::Print, "그래프 인쇄(&P)...", "그래프 인쇄...", "Ctrl+P"};
constexpr CommandTexts kMetafile {GraphCommand::SaveMetafile, "메타파일로 저장(&M)...", "메타파일로 저장...", "Ctrl+M"};
constexpr CommandTexts kText {GraphCommand::SaveText, "텍스트파일로 저장...", "텍스트파일로 저장...", ""};
constexpr CommandTexts kCsv {GraphCommand::SaveCsv, "CSV 파일로 저장...", "CSV 파일로 저장...", ""};
constexpr CommandTexts kSvg {GraphCommand::SaveSvg, "SVG로 저장...", "SVG로 저장...", ""};
constexpr CommandTexts kPdf {GraphCommand::SavePdf, "PDF로 저장...", "PDF로 저장...", ""};
constexpr CommandTexts kPng {GraphCommand::SavePng, "PNG로 저장...", "PNG로 저장...", ""};
constexpr CommandTexts kAutoScale {GraphCommand::AutoScale, "자동 Scale(&A)", "자동 Scale", "Ctrl+A"};
constexpr CommandTexts kManualScale {GraphCommand::ManualScale, "수동 Scale(&U)...", "수동 Scale...", "Ctrl+U"};
constexpr CommandTexts kDecimals {GraphCommand::Decimals, "소숫점 설정(&E)...", "소숫점 설정...", "Ctrl+E"};
constexpr CommandTexts kInterval {GraphCommand::TimeInterval, "시간 간격 설정(&I)...", "시간 간격 설정...", "Ctrl+I"};

} // namespace

bool graphCommandEnabled(GraphCommand command, const GraphMenuInputs& inputs)
{
    switch (command) {
    case GraphCommand::Redraw:
    case GraphCommand::Start:
    case GraphCommand::Print:
    case GraphCommand::SaveMetafile:
    case GraphCommand::SaveText:
    case GraphCommand::SaveCsv:
    case GraphCommand::SaveSvg:
    case GraphCommand::SavePdf:
    case GraphCommand::SavePng:
        return !inputs.acquiring;
    case GraphCommand::Stop:
        return inputs.acquiring;
    case GraphCommand::TimeInterval:
        return inputs.kind == GraphKind::Time;
    default:
        return true;
    }
}

namespace {

bool checked(GraphCommand command, const GraphMenuInputs& inputs)
{
    switch (command) {
    case GraphCommand::AutoScale:
        return inputs.scaleMode == ScaleMode::Automatic;
    case GraphCommand::ManualScale:
        return inputs.scaleMode == ScaleMode::Manual;
    default:
        return channelOf(command) != 0 && channelOf(command) == inputs.currentChannel;
    }
}

GraphMenuEntry entry(GraphCommand command, std::string text, std::string_view shortcut, const GraphMenuInputs& inputs)
{
    return {command, std::move(text), shortcut, graphCommandEnabled(command, inputs), checked(command, inputs), false};
}

GraphMenuEntry menuEntry(const CommandTexts& texts, const GraphMenuInputs& inputs)
{
    return entry(texts.command, std::string(texts.menuText), texts.shortcut, inputs);
}

GraphMenuEntry contextEntry(const CommandTexts& texts, const GraphMenuInputs& inputs)
{
    return entry(texts.command, std::string(texts.contextText), texts.shortcut, inputs);
}

// 1 in the individual layout, else one per channel.
int channelEntries(const GraphMenuInputs& inputs)
{
    return inputs.individual && inputs.channelCount > 0 ? 1 : inputs.channelCount;
}

} // namespace

std::vector<GraphMenu> graphMenuBar(const GraphMenuInputs& inputs)
{
    GraphMenu action {"동작(&A)",
        {menuEntry(kRedraw, inputs), menuEntry(kStart, inputs), menuEntry(kStop, inputs), menuEntry(kInterval, inputs),
            menuEntry(kPrint, inputs), menuEntry(kMetafile, inputs), menuEntry(kText, inputs), menuEntry(kCsv, inputs),
            menuEntry(kSvg, inputs), menuEntry(kPdf, inputs), menuEntry(kPng, inputs)}};
    action.entries[4].separatorBefore = true;
    action.entries[7].separatorBefore = true;
    GraphMenu settings {
        "설정(&S)", {menuEntry(kAutoScale, inputs), menuEntry(kManualScale, inputs), menuEntry(kDecimals, inputs)}};
    GraphMenu channels {"채널(&C)", {}};
    for (int k = 1; k <= channelEntries(inputs); ++k) {
        channels.entries.push_back(entry(channelCommand(k), "채널 " + std::to_string(k), {}, inputs));
    }
    return {action, settings, channels};
}

std::vector<GraphMenuEntry> graphContextMenu(const GraphMenuInputs& inputs)
{
    std::vector<GraphMenuEntry> entries;
    for (const CommandTexts* texts : {&kRedraw, &kStart, &kStop, &kPrint, &kMetafile, &kText, &kCsv, &kSvg, &kPdf,
             &kPng, &kAutoScale, &kManualScale, &kDecimals, &kInterval}) {
        entries.push_back(contextEntry(*texts, inputs));
    }
    entries[6].separatorBefore = true;
    entries[10].separatorBefore = true;
    for (int k = 1; k <= channelEntries(inputs); ++k) {
        GraphMenuEntry channel = entry(channelCommand(k), "Channel " + std::to_string(k), {}, inputs);
        channel.separatorBefore = k == 1;
        entries.push_back(channel);
    }
    return entries;
}

} // namespace lumetra::graph
