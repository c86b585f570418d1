#ifdef _WIN32

#include "app/named_mutex_single_instance.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <windows.h>

namespace lumetra::app {
namespace {

// A name of this test process alone, so parallel test runs do not meet.
std::string testName(const char* what)
{
    return std::string("VestralLumetraTest-") + what + "-" + std::to_string(::GetCurrentProcessId());
}

TEST(NamedMutexSingleInstance, SecondHolderIsRefusedUntilTheFirstIsGone)
{
    const std::string name = testName("second");
    auto first = std::make_unique<NamedMutexSingleInstance>();
    ASSERT_TRUE(first->acquire(name));
    EXPECT_TRUE(first->acquire(name));

    NamedMutexSingleInstance second;
    EXPECT_FALSE(second.acquire(name));

    first.reset();
    EXPECT_TRUE(second.acquire(name));
}

TEST(NamedMutexSingleInstance, TheMutexCarriesTheGivenNameAndOtherNamesAreFree)
{
    const std::string name = testName("named");
    NamedMutexSingleInstance instance;
    ASSERT_TRUE(instance.acquire(name));
    const std::wstring wide(name.begin(), name.end());
    HANDLE opened = ::OpenMutexW(SYNCHRONIZE, FALSE, wide.c_str());
    EXPECT_NE(opened, nullptr);
    if (opened != nullptr)
        ::CloseHandle(opened);

    NamedMutexSingleInstance other;
    EXPECT_TRUE(other.acquire(testName("other")));
}

} // namespace
} // namespace lumetra::app

#endif
