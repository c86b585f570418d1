#include "tools/command_path_texts.h"

namespace lumetra::tools {

namespace {

std::string inQuotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string causeOf(const CommandPathRefusal& refusal)
{
    switch (refusal.fault) {
    case CommandPathFault::NoFolder:
        return "실행 파일 " + inQuotes(refusal.part) + "에 폴더 경로가 없읍니다.";
    case CommandPathFault::SeparatorInArgument:
        return "인수 " + inQuotes(refusal.part) + "에 " + inQuotes(std::string(1, refusal.separator))
            + "가 있어서 실행 파일을 인수까지 포함한 " + inQuotes(refusal.path) + " 경로에서 찾았으나 없읍니다.";
    case CommandPathFault::Missing:
        break;
    }
    return inQuotes(refusal.path) + " 경로에 파일이나 폴더가 없읍니다.";
}

} // namespace

std::string refusedCommandText(std::string_view message, const CommandPathRefusal& refusal)
{
    return std::string(message) + "\n원인: " + causeOf(refusal);
}

} // namespace lumetra::tools
