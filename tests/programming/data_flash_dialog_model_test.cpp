// The data-flash dialog's state: percentage text and clamps, the log, the button before and after the end, the
// closing delay.
#include "programming/data_flash_dialog_model.h"

#include <gtest/gtest.h>

namespace lumetra::programming {
namespace {

TEST(DataFlashDialogModel, RangeAndPositionGiveThePercentText)
{
    DataFlashDialogModel model;
    EXPECT_EQ(model.percentText(), "0 %");
    model.setRange(2644);
    model.setPosition(1322);
    EXPECT_EQ(model.percentText(), "50 %");
    model.setPosition(9999);
    EXPECT_EQ(model.percent(), 100);
    model.setRange(0); // counts as 1, back to 0
    EXPECT_EQ(model.percentText(), "0 %");
    model.setPosition(1);
    EXPECT_EQ(model.percentText(), "100 %");
}

TEST(DataFlashDialogModel, ButtonCancelsDuringTheRunAndClosesAfterIt)
{
    DataFlashDialogModel model;
    EXPECT_EQ(model.buttonText(), "취소");
    EXPECT_EQ(model.pressButton(), DataFlashButtonAction::Cancel);
    model.setButtonEnabled(false);
    model.log("[INFO]: Data Flash Erasing is starting..");
    model.finish(DataFlashResult::Canceled);
    EXPECT_EQ(model.buttonText(), "확인");
    EXPECT_TRUE(model.buttonEnabled());
    EXPECT_EQ(model.lines(),
        (std::vector<std::string> {"[INFO]: Data Flash Erasing is starting..", "[INFO]: Selected Action is canceled"}));
    EXPECT_EQ(model.closeDelay(), std::chrono::milliseconds(1000));
    EXPECT_EQ(model.pressButton(), DataFlashButtonAction::Close);
    EXPECT_FALSE(model.closeDelay()); // the closing timer stops
}

TEST(DataFlashDialogModel, CodeWithoutALineOnlyChangesTheButton)
{
    DataFlashDialogModel model;
    model.finish(static_cast<DataFlashResult>(9));
    EXPECT_EQ(model.buttonText(), "확인");
    EXPECT_TRUE(model.lines().empty());
    EXPECT_FALSE(model.closeDelay());
}

TEST(DataFlashResultLines, EveryCodeAndNoOther)
{
    EXPECT_EQ(dataFlashResultLine(DataFlashResult::SciBootFailed), "[ERROR]: SCI BOOT is failed");
    EXPECT_EQ(dataFlashResultLine(DataFlashResult::VerifyingFailed), "[ERROR]: Data Flash Verifying is failed");
    EXPECT_EQ(dataFlashResultLine(DataFlashResult::ProgrammingVerifyingOk),
        "[INFO]: Data Flash Programing && Verifying is OK");
    EXPECT_EQ(dataFlashResultLine(18), "[INFO]: Selected Action is canceled");
    EXPECT_TRUE(dataFlashResultLine(9).empty());
    EXPECT_TRUE(dataFlashResultLine(-1).empty());
    EXPECT_TRUE(isDataFlashSuccess(DataFlashResult::ErasingOk));
    EXPECT_FALSE(isDataFlashSuccess(DataFlashResult::Canceled));
}

} // namespace
} // namespace lumetra::programming
