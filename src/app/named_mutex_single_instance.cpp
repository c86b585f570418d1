#ifdef _WIN32

#include "app/named_mutex_single_instance.h"

#include <windows.h>

#include <string>

namespace lumetra::app {

NamedMutexSingleInstance::~NamedMutexSingleInstance()
{
    if (mutex_ != nullptr)
        ::CloseHandle(mutex_);
}

bool NamedMutexSingleInstance::acquire(std::string_view name)
{
    if (mutex_ != nullptr)
        return true;
    const int length
        = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), static_cast<int>(name.size()), nullptr, 0);
    if (length <= 0)
        return false;
    std::wstring wideName(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), wideName.data(), length);
    HANDLE mutex = ::CreateMutexW(nullptr, TRUE, wideName.c_str());
    if (mutex == nullptr)
        return false;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return false;
    }
    mutex_ = mutex;
    return true;
}

} // namespace lumetra::app

#endif
