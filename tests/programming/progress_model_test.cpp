// The progress dialog's texts, button and closing delay.
#include "programming/progress_model.h"

#include <gtest/gtest.h>

namespace lumetra::programming {
namespace {

TEST(ProgressModel, PercentWithSecondsSinceTheRangeAndAClampedPosition)
{
    std::optional<std::int64_t> now = 1000;
    ProgressModel model([&] { return now; });
    model.show();
    EXPECT_EQ(model.percentText(), "0%");
    EXPECT_EQ(model.buttonText(), "Cancel");
    model.setRange(0); // counts as 1
    now = 1250;
    model.setPosition(5);
    EXPECT_EQ(model.percentText(), "100%, 0.2 sec");
    model.setRange(3);
    now = 4700;
    model.setPosition(2);
    EXPECT_EQ(model.percent(), 66);
    EXPECT_EQ(model.percentText(), "66%, 3.5 sec");
    now.reset();
    model.setPosition(1);
    EXPECT_EQ(model.percentText(), "33%");
}

TEST(ProgressModel, CancelDuringTheRunOkAfterTheResult)
{
    ProgressModel model([] { return std::optional<std::int64_t> {0}; });
    model.show();
    EXPECT_FALSE(model.pressButton());
    EXPECT_TRUE(model.cancelRequested());
    model.showResult(RunResult::Canceled);
    EXPECT_EQ(model.caption(), " [ Action Canceled ]");
    EXPECT_EQ(model.buttonText(), "OK");
    EXPECT_EQ(model.closeDelay(), std::chrono::milliseconds(1000));
    EXPECT_TRUE(model.pressButton());
    model.show();
    EXPECT_FALSE(model.cancelRequested());
    EXPECT_EQ(model.caption(), "");
    model.showResult(RunResult::FlashWritingCompleted);
    EXPECT_EQ(model.closeDelay(), std::chrono::milliseconds(200));
    model.showResult(RunResult::SerialBootCompleted);
    EXPECT_EQ(model.closeDelay(), std::chrono::milliseconds(200));
}

TEST(RunResult, EveryCodeHasItsLine)
{
    EXPECT_EQ(resultLine(0), " [ Serial Boot Completed ]");
    EXPECT_EQ(resultLine(2), " [ Error : Auto Baudrate Checking ]");
    EXPECT_EQ(resultLine(13), " [ Error : Flash Algorithm Code Downloading ]");
    EXPECT_EQ(resultLine(17), " [ Error : Flash Verifying ]");
    EXPECT_EQ(resultLine(19), " [ Error : CSM Matching Flow Code Downloading ]");
    EXPECT_EQ(resultLine(20), " [ Error : Fail to Change Baud-Rate ]");
    EXPECT_EQ(resultLine(21), "");
    EXPECT_EQ(resultLine(-1), "");
}

} // namespace
} // namespace lumetra::programming
