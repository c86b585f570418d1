#include "link/d2xx_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lumetra::link {

namespace {

#ifdef _WIN32
void* openModule(const std::string& path)
{
    return reinterpret_cast<void*>(::LoadLibraryA(path.c_str()));
}

void* findSymbol(void* module, const char* name)
{
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

void closeModule(void* module)
{
    ::FreeLibrary(static_cast<HMODULE>(module));
}
#else
void* openModule(const std::string& path)
{
    return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* findSymbol(void* module, const char* name)
{
    return ::dlsym(module, name);
}

void closeModule(void* module)
{
    ::dlclose(module);
}
#endif

template <typename Fn>
bool resolve(void* module, const char* name, Fn*& call)
{
    call = reinterpret_cast<Fn*>(findSymbol(module, name));
    return call != nullptr;
}

} // namespace

const char* D2xxLibrary::defaultName()
{
#ifdef _WIN32
    return "ftd2xx.dll";
#else
    return "libftd2xx.so";
#endif
}

std::shared_ptr<const D2xxLibrary> D2xxLibrary::load(const std::string& path)
{
    void* module = openModule(path);
    if (module == nullptr)
        return nullptr;
    std::shared_ptr<D2xxLibrary> library(new D2xxLibrary(module));
    D2xxCalls& c = library->calls_;
    const bool complete = resolve(module, "FT_ListDevices", c.listDevices) && resolve(module, "FT_OpenEx", c.openEx)
        && resolve(module, "FT_ResetDevice", c.resetDevice)
        && resolve(module, "FT_GetLatencyTimer", c.getLatencyTimer)
        && resolve(module, "FT_SetLatencyTimer", c.setLatencyTimer)
        && resolve(module, "FT_SetBaudRate", c.setBaudRate)
        && resolve(module, "FT_SetDataCharacteristics", c.setDataCharacteristics)
        && resolve(module, "FT_SetFlowControl", c.setFlowControl)
        && resolve(module, "FT_SetTimeouts", c.setTimeouts) && resolve(module, "FT_Purge", c.purge)
        && resolve(module, "FT_Write", c.write) && resolve(module, "FT_Read", c.read)
        && resolve(module, "FT_GetStatus", c.getStatus) && resolve(module, "FT_GetQueueStatus", c.getQueueStatus)
        && resolve(module, "FT_Close", c.close);
    if (!complete)
        return nullptr;
    return library;
}

D2xxLibrary::~D2xxLibrary()
{
    closeModule(module_);
}

} // namespace lumetra::link
