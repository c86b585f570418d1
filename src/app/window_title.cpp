#include "app/window_title.h"

#include <cstdio>

namespace lumetra::app {

std::string fileDateText(const LocalDateTime& time)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d  %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
        time.minute, time.second);
    return text;
}

std::string loadedFileTitle(std::string_view path, std::string_view dateText)
{
    std::string title(kProgramTitle);
    title += " - ";
    title += path;
    if (!dateText.empty()) {
        title += " , Date : ";
        title += dateText;
    }
    return title;
}

} // namespace lumetra::app
