#include "app/command_prompts.h"

namespace lumetra::app {

std::string_view commandStatusText(MainCommand command)
{
    switch (command) {
    case MainCommand::CoffOpen:
        return "COFF 파일을 열어 프로그램과 심볼 정보를 읽어 들입니다.\nCOFF 파일 열기";
    case MainCommand::CoffReload:
        return "마지막으로 연 COFF 파일을 다시 읽어 들입니다.\nCOFF 파일 Reload";
    case MainCommand::SymbolOpen:
        return "심볼 파일을 열어 모니터링할 변수 목록을 불러옵니다.\n심볼 파일 열기";
    case MainCommand::SymbolSave:
        return "모니터링할 변수 목록을 심볼 파일로 저장합니다.\n심볼 파일 저장";
    case MainCommand::RecentFile:
        return "최근에 연 COFF 파일을 엽니다.\n최근 파일";
    case MainCommand::Exit:
        return "프로그램을 종료합니다.\n종료";
    case MainCommand::VariableMonitoring:
        return "등록된 변수의 모니터링을 시작하거나 중지합니다.\n변수 모니터링 시작/중지";
    case MainCommand::AddressMonitoring:
        return "지정한 주소 영역의 메모리 모니터링을 시작하거나 중지합니다.\n주소 모니터링 시작/중지";
    case MainCommand::TargetReset:
        return "타겟보드를 리셋합니다.\n타겟보드 리셋";
    case MainCommand::SciBoot:
        return "SCI 부트를 통해 타겟 보드의 내부 플래시 메모리에 프로그램을  씁니다.\nSCI 부트";
    case MainCommand::ClosePort:
        return "연결된 통신 포트를 닫습니다.\n통신포트 닫기";
    case MainCommand::DataFlashErase:
        return "TMS320C2834x SPI-A에 연결된 외부 데이터 플래시 메모리를 지웁니다\n데이터 플래시 Erase";
    case MainCommand::DataFlashWrite:
        return "TMS320C2834x SPI-A에 연결된 외부 데이터 플래시 메모리에 프로그램 코드를 다운로드합니다\n데이터 "
               "플래시 Write";
    case MainCommand::DataFlashWriteVerify:
        return "TMS320C2834x SPI-A에 연결된 외부 데이터 플래시 메모리에 프로그램 코드를 다운로드 후 비교 "
               "검사합니다\n데이터 플래시 Write && Verify";
    case MainCommand::MemoryGraph:
        return "지정한 메모리 영역의 데이타를 그래프로 표시합니다.\n메모리 그래프";
    case MainCommand::TimeGraph:
        return "등록된 변수 값의 시간에 따른 변화를 그래프로 표시합니다.\n시간 그래프";
    case MainCommand::Settings:
        return "통신 포트, 모니터링, 타겟 및 프로그래밍 동작 환경을 설정합니다.\n환경 설정";
    case MainCommand::OutputWindow:
        return "메시지 정보와 섹션 정보를 보여주는 Output 원도우를 보이거나 숨깁니다.\nOutput 원도우";
    case MainCommand::ToolBar:
        return "도구 모음을 보이거나 숨깁니다.\n도구 모음";
    case MainCommand::StatusBar:
        return "상태 표시줄을 보이거나 숨깁니다.\n상태 표시줄";
    case MainCommand::UserToolRegistration:
        return "도구 메뉴에서 실행할 사용자 도구를 등록합니다.\n사용자 도구 등록";
    case MainCommand::About:
        return "프로그램 정보와 버전을 표시합니다.\nVestral Lumetra 정보";
    }
    return {};
}

CommandPrompt commandPrompt(MainCommand command)
{
    const std::string_view text = commandStatusText(command);
    const std::size_t lineBreak = text.find('\n');
    CommandPrompt split {std::string(text.substr(0, lineBreak)), std::string(text.substr(lineBreak + 1))};
    for (std::size_t at = split.tip.find("&&"); at != std::string::npos; at = split.tip.find("&&", at + 1))
        split.tip.erase(at, 1);
    return split;
}

} // namespace lumetra::app
