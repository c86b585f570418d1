// A program's loadable sections against the memory of the selected device: a program built for another device
// is refused before anything is sent.
#pragma once

#include "programming/program_data.h"

#include <optional>
#include <string>

namespace lumetra::programming {

// The message naming the first section with a word outside the device's memory, e.g. "'.text' 섹션(0x320000~
// 0x33FFF7)은 선택한 DSP(F2812 - 150MHz(30MHz * 5))의 메모리 영역 밖에 있읍니다."; nullopt when all fit.
std::optional<std::string> sectionOutsideMemoryMessage(const ProgramData& program, int deviceCode);

} // namespace lumetra::programming
