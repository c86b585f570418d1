#include "image/coff_load_result.h"

namespace lumetra::image {

std::string_view coffLoadMessage(CoffLoadResult result)
{
    switch (result) {
    case CoffLoadResult::Loaded:
    case CoffLoadResult::LoadedWithoutSymbols:
        return {};
    case CoffLoadResult::CannotOpen:
        return "파일을 여는데 실패했읍니다.";
    case CoffLoadResult::NotCoff:
        return "COFF 파일 포맷이 아닙니다.";
    case CoffLoadResult::TargetMismatch:
        return "COFF 파일이 선택한 CPU 타입과 일치하지 않읍니다.";
    case CoffLoadResult::FileError:
        return "파일 예외 오류 발생 !";
    case CoffLoadResult::OutOfMemory:
        return "메모리 예외 오류 발생 !";
    case CoffLoadResult::UnsupportedDevice:
        return "현재 지원되지 않는 CPU를 선택하셨읍니다.";
    case CoffLoadResult::ImageTooLarge:
        return "COFF 파일의 프로그램 데이터가 8MB 이미지 버퍼보다 커서 읽을 수 없읍니다.";
    }
    return {};
}

} // namespace lumetra::image
