// The main window's title and the date text of a loaded file.
#pragma once

#include "app/clocks.h"

#include <string>
#include <string_view>

namespace lumetra::app {

inline constexpr std::string_view kProgramTitle = "Vestral Lumetra V2.2 for TI C2000 DSP";

// "%04d/%02d/%02d  %02d:%02d:%02d" (two spaces between date and time).
std::string fileDateText(const LocalDateTime& time);

// The title after a successful load: the program title, " - " and the path, then " , Date : " and the date text
// unless that is empty.
std::string loadedFileTitle(std::string_view path, std::string_view dateText);

} // namespace lumetra::app
