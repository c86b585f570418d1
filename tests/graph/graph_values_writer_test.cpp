// A graph's points as CSV and JSON: exact values of every type, empty cells of a shorter channel, quoting.
#include "graph/graph_values_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace lumetra::graph {
namespace {

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
        {{{"CH1", 0x8040, 3, 4, 0}, {-5, 0, 7}}, {{"wave, \"raw\"", 0x9000, 1, 6, 3}, {floatOf(0x3FC00000)}}}};
}

TEST(GraphCsv, AShorterChannelLeavesItsCellsEmptyAndLabelsAreQuoted)
{
    std::ostringstream out;
    writeGraphCsv(out, memoryGraph());
    EXPECT_EQ(out.str(), "index,CH1,\"wave, \"\"raw\"\"\"\n0,-5,1.5\n1,0,\n2,7,\n");
}

TEST(GraphCsv, ATimeGraphCountsSamples)
{
    std::ostringstream out;
    writeGraphCsv(out, {GraphKind::Time, 10, {{{"A", 0x8000, 0, 13, 0}, {1, 2}}}});
    EXPECT_EQ(out.str(), "sample,A\n0,1\n1,2\n");
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

TEST(GraphJson, ATimeGraphHasNoLengths)
{
    std::ostringstream out;
    writeGraphJson(out, {GraphKind::Time, 25, {{{"A", 0x8000, 0, 15, 0}, {}}}});
    const std::string text = out.str();
    EXPECT_NE(text.find("\"kind\": \"time\""), std::string::npos);
    EXPECT_NE(text.find("\"interval\": 25"), std::string::npos);
    EXPECT_NE(text.find("\"type\": \"unsigned long\""), std::string::npos);
    EXPECT_NE(text.find("\"values\": []"), std::string::npos);
    EXPECT_EQ(text.find("length"), std::string::npos);
}

} // namespace
} // namespace lumetra::graph
