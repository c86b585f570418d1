#include "graph/items/graph_dialog_entries.h"
#include "graph/session/graph_status_view.h"
#include "graph/session/graph_texts.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

TEST(ScaleText, AutomaticManualAndWholeNumbers)
{
    EXPECT_EQ(scaleText(ScaleMode::Automatic, 0, 1.0, 2.0), "자동 Scale");
    EXPECT_EQ(scaleText(ScaleMode::Manual, 3, 10.0, -2.5), "Max:10.000, Min:-2.500");
    EXPECT_EQ(scaleText(ScaleMode::Manual, 1, 0.12345, -0.0006), "Max:0.123, Min:-0.001");
    EXPECT_EQ(scaleText(ScaleMode::Manual, 0, 2.9, -2.9), "Max:2, Min:-2");
    EXPECT_EQ(scaleText(ScaleMode::Manual, 0, 1e12, -1e12), "Max:2147483647, Min:-2147483648");
}

TEST(StatusTexts, DecimalsAndChannel)
{
    EXPECT_EQ(decimalsText(0), "소숫점:0");
    EXPECT_EQ(decimalsText(9), "소숫점:9");
    EXPECT_EQ(channelText(1), "CH1");
    EXPECT_EQ(channelText(4), "CH4");
}

TEST(StatusTexts, TheWindowTitleNamesTheKind)
{
    EXPECT_EQ(graphWindowTitle(GraphKind::Memory), "메모리 그래프");
    EXPECT_EQ(graphWindowTitle(GraphKind::Time), "시간 그래프");
}

TEST(StatusPanes, TheTimeGraphNarrowsItsActivityPane)
{
    const auto memory = graphStatusPanes(GraphKind::Memory);
    EXPECT_EQ(memory[1].initialText, "Max:0000, Min:0000");
    EXPECT_EQ(memory[2].initialText, "소숫점:0");
    EXPECT_EQ(memory[3].initialText, "CH1");
    EXPECT_EQ(memory[4].initialText, "데이터 수집 시작...");
    EXPECT_EQ(memory[4].width, 150);
    EXPECT_EQ(graphStatusPanes(GraphKind::Time)[4].width, 30);
}

TEST(StatusPanes, OnlyTheTimeGraphShowsItsLateAndSkippedTicks)
{
    EXPECT_EQ(graphStatusPanes(GraphKind::Memory).size(), 5u);
    const auto time = graphStatusPanes(GraphKind::Time);
    ASSERT_EQ(time.size(), 6u);
    EXPECT_EQ(time[5].role, GraphStatusPaneRole::Lag);
    EXPECT_EQ(time[5].initialText, sampleLagText({}));
    EXPECT_EQ(sampleLagText({12, 3}), "늦음:12, 건너뜀:3");
}

TEST(IntervalEntry, EmptyIsRefusedOthersFollowTheNumberEntryRule)
{
    EXPECT_FALSE(checkIntervalEntry("").value);
    EXPECT_EQ(checkIntervalEntry("").message, "시간 간격을 입력하십시요.");
    EXPECT_EQ(checkIntervalEntry(" 25 ").value, 25);
    EXPECT_EQ(checkIntervalEntry("0x14").value, 20);
    EXPECT_EQ(checkIntervalEntry("14h").value, 20);
    EXPECT_EQ(checkIntervalEntry(" ").message, "시간 간격을 입력하십시요.");
}

TEST(IntervalEntry, ATextThatIsNotANumberIsRefusedNamingTheField)
{
    for (const char* text : {"abc", "12ms", "1.5", "0x1G", "1 2"}) {
        SCOPED_TRACE(text);
        const EntryCheck<std::int32_t> check = checkIntervalEntry(text);
        EXPECT_FALSE(check.value);
        EXPECT_EQ(check.message, "시간 간격 값이 숫자가 아닙니다.");
    }
}

TEST(IntervalEntry, ANumberOutsideZeroTo2147483647IsTakenAtTheNearestEndAndSaidSo)
{
    EXPECT_EQ(checkIntervalEntry("25").notice, "");
    const EntryCheck<std::int32_t> negative = checkIntervalEntry("-5");
    EXPECT_EQ(negative.value, 0);
    EXPECT_EQ(negative.notice, "시간 간격 값이 허용 범위를 벗어나 0(으)로 적용되었읍니다.");
    // The unsigned conversion's 0xFFFFFFFF must not turn into -1 ms.
    for (const char* text : {"99999999999", "0xFFFFFFFF"}) {
        const EntryCheck<std::int32_t> large = checkIntervalEntry(text);
        EXPECT_EQ(large.value, 2147483647) << text;
        EXPECT_EQ(large.notice, "시간 간격 값이 허용 범위를 벗어나 2147483647(으)로 적용되었읍니다.") << text;
    }
}

TEST(ScaleBoundsEntry, EmptyTextsInOrderThenEqualBounds)
{
    EXPECT_EQ(checkScaleBounds("", "").message, "최대값을 입력하십시요.");
    EXPECT_EQ(checkScaleBounds("5", "").message, "최소값을 입력하십시요.");
    EXPECT_EQ(checkScaleBounds("5", "0x5").message, "최대, 최소값을 다르게 입력하십시요.");
    EXPECT_EQ(checkScaleBounds("2.0", "2").message, "최대, 최소값을 다르게 입력하십시요.");
    EXPECT_FALSE(checkScaleBounds("2.0", "2").value);
    EXPECT_EQ(checkScaleBounds("abc", "1.2.3").message, "최대값이 숫자가 아닙니다.");
    EXPECT_EQ(checkScaleBounds("5", "1.5abc").message, "최소값이 숫자가 아닙니다.");
    EXPECT_EQ(checkScaleBounds("5", "0x").message, "최소값이 숫자가 아닙니다.");
    EXPECT_FALSE(checkScaleBounds("5", "x").value);
}

TEST(ScaleBoundsEntry, TheLargerBecomesTheMaximum)
{
    EXPECT_EQ(checkScaleBounds("7", "3").value, (ScaleBounds {7.0, 3.0}));
    EXPECT_EQ(checkScaleBounds("3", "7").value, (ScaleBounds {7.0, 3.0}));
    EXPECT_EQ(checkScaleBounds("5", "-5.5").value, (ScaleBounds {5.0, -5.5}));
    EXPECT_EQ(checkScaleBounds("-10", "0x10").value, (ScaleBounds {16.0, -10.0}));
    EXPECT_EQ(checkScaleBounds(" 20H", ".25").value, (ScaleBounds {32.0, 0.25}));
}

TEST(ScaleBoundsEntry, PrefillHasThreeDecimals)
{
    EXPECT_EQ(scaleBoundsPrefill(10.0, -2.5), (ScaleBoundTexts {"10.000", "-2.500"}));
}

TEST(DecimalsEntry, EmptyIsRefusedDigitsAreTakenUpToNine)
{
    EXPECT_EQ(checkDecimalsEntry("").message, "소숫점 자리수를 입력하십시요.");
    EXPECT_EQ(checkDecimalsEntry("4").value, 4u);
    EXPECT_EQ(checkDecimalsEntry(" 0 ").value, 0u);
    EXPECT_EQ(checkDecimalsEntry("12").value, 9u);
    EXPECT_EQ(checkDecimalsEntry("12").notice, "소숫점 값이 허용 범위를 벗어나 9(으)로 적용되었읍니다.");
    EXPECT_EQ(checkDecimalsEntry("4").notice, "");
    for (const char* text : {"A", "h", "-"}) {
        EXPECT_FALSE(checkDecimalsEntry(text).value) << text;
        EXPECT_EQ(checkDecimalsEntry(text).message, "소숫점 값이 숫자가 아닙니다.") << text;
    }
}

} // namespace
} // namespace lumetra::graph
