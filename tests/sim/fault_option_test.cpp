#include "sim/fault_option.h"

#include <gtest/gtest.h>

namespace lumetra::sim {
namespace {

TEST(FaultOption, ReadsEveryKey)
{
    const auto fault = parseFaultOption("kind=delay,command=R,skip=2,count=-1,delay=150");
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->kind, FaultKind::Delay);
    EXPECT_EQ(fault->command, 'R');
    EXPECT_EQ(fault->skip, 2);
    EXPECT_EQ(fault->count, -1);
    EXPECT_EQ(fault->delay, Milliseconds(150));

    const auto hangUp = parseFaultOption("after=12,kind=hang-up");
    ASSERT_TRUE(hangUp);
    EXPECT_EQ(hangUp->kind, FaultKind::HangUp);
    EXPECT_EQ(hangUp->afterBytes, 12u);
    EXPECT_EQ(hangUp->command, 0);
    EXPECT_EQ(hangUp->count, 1);

    const auto stall = parseFaultOption("kind=stall,command=r,after=3,delay=250");
    ASSERT_TRUE(stall);
    EXPECT_EQ(stall->kind, FaultKind::Stall);
    EXPECT_EQ(stall->command, 'r');
    EXPECT_EQ(stall->afterBytes, 3u);
    EXPECT_EQ(stall->delay, Milliseconds(250));

    const auto corrupt = parseFaultOption("kind=corrupt-page,skip=4");
    ASSERT_TRUE(corrupt);
    EXPECT_EQ(corrupt->kind, FaultKind::CorruptPage);
    EXPECT_EQ(corrupt->skip, 4);
}

TEST(FaultOption, RefusesMalformedText)
{
    for (const char* text : {"", "command=R", "kind=melt", "kind=no-reply,colour=red", "kind=no-reply,skip=-1",
                             "kind=no-reply,skip=2x", "kind=delay,delay=-5", "kind=no-reply,command=RR",
                             "kind=no-reply,skip", "kind=no-reply,after=1e3", "kind=stall,after=-1",
                             "kind=stall,delay=5ms", "kind=stalls"})
        EXPECT_EQ(parseFaultOption(text), std::nullopt) << text;
}

} // namespace
} // namespace lumetra::sim
