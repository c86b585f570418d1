#include "app/activity_texts.h"

namespace lumetra::app {

namespace {

std::string s(std::string_view text)
{
    return std::string(text);
}

std::string onPort(std::string_view port)
{
    return " (" + s(port) + ")";
}

std::string withVariables(std::string_view path, std::size_t variables)
{
    return s(path) + " (변수 " + std::to_string(variables) + "개)";
}

std::string withCause(std::string_view path, std::string_view cause)
{
    return s(path) + " (" + s(cause) + ")";
}

} // namespace

std::string connectedLine(std::string_view port)
{
    return "POD에 연결했읍니다" + onPort(port);
}

std::string connectFailedLine(std::string_view port, std::string_view cause)
{
    return "POD 연결에 실패했읍니다" + onPort(port) + ": " + s(cause);
}

std::string aliveCheckFailedLine(std::string_view port, std::string_view cause)
{
    return "POD 연결 확인에 실패했읍니다" + onPort(port) + ": " + s(cause);
}

std::string disconnectedLine(std::string_view port)
{
    return "POD 연결을 끊었읍니다" + onPort(port);
}

std::string monitoringStoppedLine(std::string_view cause)
{
    return "통신 오류로 모니터링을 중지했읍니다: " + s(cause);
}

std::string targetResetLine(std::string_view port)
{
    return "타겟보드를 리셋했읍니다" + onPort(port);
}

std::string targetResetFailedLine(std::string_view cause)
{
    return "타겟보드 리셋에 실패했읍니다: " + s(cause);
}

std::string coffNotOpenedLine(std::string_view path)
{
    return "COFF 파일을 여는데 실패했읍니다: " + s(path);
}

std::string coffLoadedLine(std::string_view path, std::size_t words)
{
    return "COFF 파일을 로드했읍니다: " + s(path) + " (" + std::to_string(words) + " 워드)";
}

std::string coffNotLoadedLine(std::string_view path, std::string_view message)
{
    return "COFF 파일을 로드하는데 실패했읍니다: " + withCause(path, message);
}

std::string typeReadingLine(const image::TypeReading& reading)
{
    switch (reading.debugInfo) {
    case image::DebugReadStatus::Read:
        return "데이타 타입을 디버그 정보(DWARF " + std::to_string(reading.dwarfVersion) + ")에서 읽었읍니다: 심볼 "
            + std::to_string(reading.listedSymbols) + "개 중 " + std::to_string(reading.typedFromDebugInfo) + "개";
    case image::DebugReadStatus::Unreadable:
        return "디버그 정보를 읽을 수 없어 (" + reading.problem + ") 데이타 타입을 심볼 테이블에서 읽었읍니다";
    case image::DebugReadStatus::NoDebugInfo:
        break;
    }
    return "디버그 정보가 없어 데이타 타입을 심볼 테이블에서 읽었읍니다";
}

std::string unboundVariablesLine(std::span<const std::string> names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return "로드한 프로그램에 없는 등록 변수가 있읍니다 (이전 프로그램의 주소로 읽음): " + list;
}

std::string symbolFileOpenedLine(std::string_view path, std::size_t variables)
{
    return "심볼 파일을 열었읍니다: " + withVariables(path, variables);
}

std::string symbolFileSavedLine(std::string_view path, std::size_t variables)
{
    return "심볼 파일을 저장했읍니다: " + withVariables(path, variables);
}

std::string symbolFileNotOpenedLine(std::string_view path, std::string_view message)
{
    return "심볼 파일을 열지 못했읍니다: " + withCause(path, message);
}

std::string symbolFileNotSavedLine(std::string_view path, std::string_view message)
{
    return "심볼 파일을 저장하지 못했읍니다: " + withCause(path, message);
}

std::string sciBootResultLine(std::string_view resultLine)
{
    return "SCI 부트 다운로드:" + s(resultLine);
}

std::string sciBootNotStartedLine(std::string_view message)
{
    return "SCI 부트 다운로드를 시작하지 못했읍니다: " + s(message);
}

std::string dataFlashDoneLine(std::string_view title)
{
    return s(title) + " 완료";
}

std::string dataFlashFailedLine(std::string_view title, std::string_view resultLine)
{
    return s(title) + ": " + s(resultLine);
}

std::string dataFlashNotStartedLine(std::string_view message)
{
    return "데이터 플래시 명령을 시작하지 못했읍니다: " + s(message);
}

} // namespace lumetra::app
