#include "graph/session/graph_commands.h"

namespace lumetra::graph {

GraphCommand channelCommand(int channel)
{
    switch (channel) {
    case 2:
        return GraphCommand::Channel2;
    case 3:
        return GraphCommand::Channel3;
    case 4:
        return GraphCommand::Channel4;
    default:
        return GraphCommand::Channel1;
    }
}

int channelOf(GraphCommand command)
{
    switch (command) {
    case GraphCommand::Channel1:
        return 1;
    case GraphCommand::Channel2:
        return 2;
    case GraphCommand::Channel3:
        return 3;
    case GraphCommand::Channel4:
        return 4;
    default:
        return 0;
    }
}

std::string_view graphCommandStatusText(GraphCommand command)
{
    switch (command) {
    case GraphCommand::Redraw:
        return "그래프를 초기화 한 후, 다시 그립니다.\n다시 그리기";
    case GraphCommand::Start:
        return "그래프에 표시할 데이타 수집 동작을 시작합니다.\n데이타 수집 시작";
    case GraphCommand::Stop:
        return "그래프에 표시할 데이타 수집 동작을 중지합니다.\n데이타 수집 중지";
    case GraphCommand::Print:
        return "현재 그래프 화면을 인쇄합니다.\n그래프 인쇄";
    case GraphCommand::SaveMetafile:
        return "현재 그래프 화면을 메타 파일 형식으로 저장합니다.\n메타파일로 저장";
    case GraphCommand::SaveText:
        return "수집된 그래프 데이터를 지정한 텍스트 파일로 저장합니다\n텍스트파이로 저장";
    case GraphCommand::SaveCsv:
        return "수집된 그래프 데이터를 스프레드시트에서 여는 CSV 파일로 저장합니다.\nCSV 파일로 저장";
    case GraphCommand::SaveSvg:
        return "현재 그래프 화면을 SVG 벡터 그림으로 저장합니다.\nSVG로 저장";
    case GraphCommand::SavePdf:
        return "현재 그래프 화면을 PDF 문서로 저장합니다.\nPDF로 저장";
    case GraphCommand::SavePng:
        return "현재 그래프 화면을 PNG 그림으로 저장합니다.\nPNG로 저장";
    case GraphCommand::AutoScale:
        return "그래프 Y축의 최대, 최소값을 자동으로 설정합니다.\n자동 Scale";
    case GraphCommand::ManualScale:
        return "그래프 Y축의 최대, 최소값을 수동으로 설정합니다.\n수동 Scale";
    case GraphCommand::Decimals:
        return "그래프 Y축 눈금 및 데이타의 소숫점 자리를 설정합니다.\n소숫점 설정";
    case GraphCommand::TimeInterval:
        return "시간 그래프에서 데이터 수집 시간을 설정합니다.\n시간 간격 설정";
    case GraphCommand::Channel1:
        return "첫번째 채널을 Active Mode로 합니다.";
    case GraphCommand::Channel2:
        return "두번째 채널을 Active Mode로 합니다.";
    case GraphCommand::Channel3:
        return "세번째 채널을 Active Mode로 합니다.";
    case GraphCommand::Channel4:
        return "네번째 채널을 Active Mode로 합니다.";
    }
    return {};
}

std::string_view graphCommandPrompt(GraphCommand command)
{
    const std::string_view text = graphCommandStatusText(command);
    return text.substr(0, text.find('\n'));
}

} // namespace lumetra::graph
