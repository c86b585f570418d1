#include "cli/program_arguments.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace lumetra::cli {

#ifdef _WIN32
namespace {

std::string utf8Of(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string converted(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), size, nullptr, nullptr);
    converted.pop_back();
    return converted;
}

} // namespace

// argv holds the arguments in the ANSI code page, which cannot hold every file name; the wide command line can.
Arguments programArguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return Arguments(argv, argv + argc);
    Arguments arguments;
    for (int n = 0; n < count; ++n)
        arguments.push_back(utf8Of(wide[n]));
    LocalFree(wide);
    return arguments;
}
#else
Arguments programArguments(int argc, char** argv)
{
    return Arguments(argv, argv + argc);
}
#endif

} // namespace lumetra::cli
