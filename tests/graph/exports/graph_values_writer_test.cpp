// A graph's points as CSV and JSON: exact values of every type, empty cells of a shorter channel, quoting.
#include "graph/exports/graph_values_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace lumetra::graph {
namespace {

using namespace std::chrono_literals;

double floatOf(std::uint32_t bits)
{
    return static_cast<double>(std::bit_cast<float>(bits));
}

TEST(SampleValueText, IntegersStayIntegersAndFloatsReadBackExactly)
{
    EXPECT_EQ(sampleValueText(3, -1.0), "-1");
    EXPECT_EQ(sampleValueText(13, 65535.0), "65535");
    EXPECT_EQ(sampleValueText(5, -2147483648.0), "-2147483648");
    EXPECT_EQ(sampleValueText(15, 4294967295.0), "4294967295");
    EXPECT_EQ(sampleValueText(6, floatOf(0x3F800000)), "1");
    EXPECT_EQ(sampleValueText(6, static_cast<double>(0.1f)), "0.1");
    EXPECT_EQ(sampleValueText(6, -100000.0), "-100000");
    EXPECT_EQ(sampleValueText(6, floatOf(0x00000001)).size(), 47u); // the smallest subnormal, 0.(44 zeros)1
    for (const std::uint32_t bits : {0x3DCCCCCDu, 0x00000001u, 0x7F7FFFFFu, 0xC2C80001u}) {
        const std::string text = sampleValueText(6, floatOf(bits));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(std::strtof(text.c_str(), nullptr)), bits) << text;
    }
    EXPECT_EQ(sampleValueText(6, floatOf(0x7FC00000)), "nan");
    EXPECT_EQ(sampleValueText(6, floatOf(0xFF800000)), "-inf");
}

GraphValues memoryGraph()
{
    return {GraphKind::Memory, 0,
        {{{"CH1", 0x8040, 3, 4, 0}, {-5, 0, 7}}, {{"wave, \"raw\"", 0x9000, 1, 6, 3}, {floatOf(0x3FC00000)}}},
        {}, {}};
}

TEST(GraphCsv, AShorterChannelLeavesItsCellsEmptyAndLabelsAreQuoted)
{
    std::ostringstream out;
    writeGraphCsv(out, memoryGraph());
    EXPECT_EQ(out.str(), "index,CH1,\"wave, \"\"raw\"\"\"\n0,-5,1.5\n1,0,\n2,7,\n");
}

TEST(GraphCsv, ATimeGraphCountsSamplesAndGivesTheirTimes)
{
    std::ostringstream out;
    writeGraphCsv(out, {GraphKind::Time, 10, {{{"A", 0x8000, 0, 13, 0}, {1, 2}}}, {10'012us, 19'999'999us}, {}});
    EXPECT_EQ(out.str(), "sample,time_ms,A\n0,10.012,1\n1,19999.999,2\n");
}

TEST(GraphJson, HoldsKindIntervalAndEveryChannel)
{
    std::ostringstream out;
    GraphValues graph = memoryGraph();
    graph.channels[1].values.push_back(std::numeric_limits<double>::quiet_NaN());
    graph.channels[0].channel.label = "tab\there";
    writeGraphJson(out, graph);
    EXPECT_EQ(out.str(),
        "{\n"
        "  \"kind\": \"memory\",\n"
        "  \"interval\": 0,\n"
        "  \"channels\": [\n"
        "    {\n"
        "      \"label\": \"tab\\u0009here\",\n"
        "      \"address\": 32832,\n"
        "      \"type\": \"integer\",\n"
        "      \"length\": 3,\n"
        "      \"values\": [-5, 0, 7]\n"
        "    },\n"
        "    {\n"
        "      \"label\": \"wave, \\\"raw\\\"\",\n"
        "      \"address\": 36864,\n"
        "      \"type\": \"float\",\n"
        "      \"length\": 1,\n"
        "      \"values\": [1.5, null]\n"
        "    }\n"
        "  ]\n"
        "}\n");
}

TEST(GraphJson, ATimeGraphHasItsTimesAndLagButNoLengths)
{
    std::ostringstream out;
    writeGraphJson(out, {GraphKind::Time, 10, {{{"A", 0x8000, 0, 13, 0}, {1, 2}}}, {10ms, 25'500us}, {3, 1}});
    EXPECT_EQ(out.str(),
        "{\n"
        "  \"kind\": \"time\",\n"
        "  \"interval\": 10,\n"
        "  \"late\": 3,\n"
        "  \"skipped\": 1,\n"
        "  \"times\": [10.000, 25.500],\n"
        "  \"channels\": [\n"
        "    {\n"
        "      \"label\": \"A\",\n"
        "      \"address\": 32768,\n"
        "      \"type\": \"unsigned short\",\n"
        "      \"values\": [1, 2]\n"
        "    }\n"
        "  ]\n"
        "}\n");

    out.str("");
    writeGraphJson(out, {GraphKind::Time, 25, {{{"A", 0x8000, 0, 15, 0}, {}}}, {}, {}});
    const std::string text = out.str();
    EXPECT_NE(text.find("\"kind\": \"time\""), std::string::npos);
    EXPECT_NE(text.find("\"interval\": 25"), std::string::npos);
    EXPECT_NE(text.find("\"type\": \"unsigned long\""), std::string::npos);
    EXPECT_NE(text.find("\"values\": []"), std::string::npos);
    EXPECT_EQ(text.find("length"), std::string::npos);
    EXPECT_NE(text.find("\"times\": [],"), std::string::npos);
}

TEST(SampleLagNotice, OnlyATimeGraphThatFellBehindSaysSo)
{
    GraphValues graph {GraphKind::Time, 10, {}, {}, {}};
    EXPECT_EQ(sampleLagNotice(graph), "");
    graph.lag = {12, 3};
    EXPECT_EQ(sampleLagNotice(graph), "the samples fell behind the interval of 10 ms: 12 late, 3 skipped");
    graph.kind = GraphKind::Memory;
    EXPECT_EQ(sampleLagNotice(graph), "");
}

} // namespace
} // namespace lumetra::graph
