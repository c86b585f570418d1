#include "link/link_texts.h"

namespace lumetra::link {

namespace {

// "COM1의 POD"
std::string podOn(std::string_view port)
{
    return std::string(port) + "의 POD";
}

std::string valueAt(std::string_view value, std::string_view address)
{
    return "0x" + std::string(address) + "에 0x" + std::string(value) + " 데이타를 ";
}

} // namespace

std::string usbDriverNotLoadedCause()
{
    return "USB 드라이버 라이브러리가 로드되지 않았읍니다";
}

std::string usbPodNotFoundCause()
{
    return "USB POD를 찾지 못했읍니다";
}

std::string portNotOpenedCause(std::string_view port, int usbBaud)
{
    if (usbBaud > 0)
        return std::string(port) + " 포트를 " + std::to_string(usbBaud) + " bps로 열지 못했읍니다";
    return std::string(port) + " 포트를 열지 못했읍니다";
}

std::string portInUseCause(std::string_view port)
{
    return std::string(port) + " 포트를 다른 프로그램이 사용하고 있읍니다";
}

std::string sendNotFinishedCause(std::string_view port, long long milliseconds)
{
    return podOn(port) + "에 보내기가 " + std::to_string(milliseconds) + " ms 안에 끝나지 않았읍니다";
}

std::string noReplyCause(std::string_view port, long long milliseconds)
{
    return podOn(port) + "가 " + std::to_string(milliseconds) + " ms 안에 응답하지 않았읍니다";
}

std::string replyCutCause(std::string_view port, std::size_t arrived, std::size_t expected)
{
    return podOn(port) + " 응답이 " + std::to_string(expected) + " 바이트 중 " + std::to_string(arrived)
        + " 바이트에서 끊어졌읍니다";
}

std::string wrongAnswerCause(std::string_view port, std::string_view answer)
{
    return podOn(port) + " 응답이 '!'가 아니라 0x" + std::string(answer) + "입니다";
}

std::string malformedReplyCause(std::string_view port, char mode)
{
    return podOn(port) + "가 보낸 '" + std::string(1, mode) + "' 응답의 형식이 잘못되었읍니다";
}

std::string valueWrittenLine(std::string_view value, std::string_view address)
{
    return valueAt(value, address) + "썼읍니다";
}

std::string valueNotWrittenLine(std::string_view value, std::string_view address, std::string_view cause)
{
    return valueAt(value, address) + "쓰는데 실패했읍니다: " + std::string(cause);
}

} // namespace lumetra::link
