#include "app/single_instance.h"

namespace lumetra::app {

std::string anotherInstanceLine(std::string_view lockPlace)
{
    return "Vestral Lumetra V2.2가 이미 실행 중이므로 종료합니다 (잠금 파일: " + std::string(lockPlace) + ")\n";
}

} // namespace lumetra::app
