// Frames, replies and time-outs of the POD commands, over a scripted serial or USB transport.
#include "scripted_transport.h"

#include "link/pod_link.h"

#include <gtest/gtest.h>

namespace lumetra::link {
namespace {

using test::framed;
using namespace std::chrono_literals;

// Answers `I` with nothing and `K` with an acknowledgement, so that Connect succeeds.
std::string connectReplies(const std::string& written)
{
    return written.size() > 1 && written[1] == 'K' ? "!" : "";
}

class PodCommands : public ::testing::Test {
protected:
    void connect(bool usb)
    {
        wire.respond = [](const std::string& w, int) { return connectReplies(w); };
        if (usb) {
            ASSERT_TRUE(link.LoadDriver());
            ASSERT_TRUE(link.FindUsbPod());
        }
        ASSERT_EQ(link.Connect(1, 4, usb), ConnectCode::Connected);
        wire.writes.clear();
        wire.drainTimeouts.clear();
        wire.reads.clear();
        wire.purges = 0;
    }

    // Replies in order, one per written frame.
    void script(std::vector<std::string> replies)
    {
        auto queue = std::make_shared<std::vector<std::string>>(std::move(replies));
        wire.respond = [queue](const std::string&, int) {
            if (queue->empty()) {
                return std::string();
            }
            std::string next = queue->front();
            queue->erase(queue->begin());
            return next;
        };
    }

    test::Wire wire;
    test::ScriptedFactory factory {wire};
    CPodLink link {factory};
};

TEST_F(PodCommands, SetTxDelaySendsFourBytesAndReadsNothing)
{
    connect(false);
    EXPECT_TRUE(link.SetTxDelay(6));
    ASSERT_EQ(wire.writes.size(), 1u);
    EXPECT_EQ(wire.writes[0], std::string("\x02I6\x03", 4));
    EXPECT_TRUE(wire.reads.empty());
    EXPECT_FALSE(link.SetTxDelay(16));
    EXPECT_EQ(wire.writes.size(), 1u);
}

TEST_F(PodCommands, FirmwareVersionNeedsUpAndTwoDigits)
{
    connect(false);
    link.setReplyTimeout(150ms);
    script({"UP19"});
    EXPECT_EQ(link.QueryFirmwareVersion(), 19);
    EXPECT_EQ(wire.writes.back(), framed("Q"));
    EXPECT_EQ(wire.reads.back().count, 4u);
    // One platform read of the reply time-out comes before the allowed silence is counted.
    EXPECT_EQ(wire.reads.back().firstByteTimeout, 150ms + 150ms);
    EXPECT_EQ(wire.reads.back().interByteTimeout, 150ms + 100ms);
    script({"XP19"});
    EXPECT_EQ(link.QueryFirmwareVersion(), 0);
    script({"UP1A"});
    EXPECT_EQ(link.QueryFirmwareVersion(), 0);
    script({"UP1"});
    EXPECT_EQ(link.QueryFirmwareVersion(), 0);
}

TEST_F(PodCommands, TargetBaudPingAndControlLines)
{
    connect(false);
    script({"!", "?", "!", "!", "!", "!", "!"});
    EXPECT_TRUE(link.SetTargetBaud(8));
    EXPECT_EQ(wire.writes.back(), framed("K8"));
    EXPECT_FALSE(link.SetTargetBaud(2));
    EXPECT_FALSE(link.SetTargetBaud(9));
    EXPECT_EQ(wire.writes.size(), 2u);

    EXPECT_TRUE(link.Ping());
    EXPECT_EQ(wire.writes.back(), framed("!"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 2000ms);

    EXPECT_TRUE(link.EnterBootMode());
    EXPECT_EQ(wire.writes.back(), framed("M"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 600ms);
    EXPECT_EQ(wire.purges, 1); // the serial line is purged after the line change
    EXPECT_TRUE(link.ResetTarget());
    EXPECT_EQ(wire.writes.back(), framed("N"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 600ms);

    EXPECT_TRUE(link.AutoBaudLf240x());
    EXPECT_EQ(wire.writes.back(), framed("T"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 2000ms);
    EXPECT_TRUE(link.AutoBaudF28x());
    EXPECT_EQ(wire.writes.back(), framed("P"));
    EXPECT_FALSE(link.AutoBaudF28x());
}

TEST_F(PodCommands, ControlLinesDoNotPurgeUsb)
{
    connect(true);
    script({"!"});
    EXPECT_TRUE(link.EnterBootMode());
    EXPECT_EQ(wire.purges, 0);
}

TEST_F(PodCommands, ReadWordSendsAddressThenModeAndParsesTheReply)
{
    connect(false);
    std::uint32_t value = 0;
    script({"!", "BEEF\r"});
    ASSERT_TRUE(link.ReadWord(0x3F8000, 'R', value));
    EXPECT_EQ(value, 0xBEEFu);
    ASSERT_EQ(wire.writes.size(), 2u);
    EXPECT_EQ(wire.writes[0], framed("@3F8000\r"));
    EXPECT_EQ(wire.writes[1], framed("R"));
    EXPECT_EQ(wire.reads[0].firstByteTimeout, kDefaultReplyTimeout + 2000ms);
    EXPECT_EQ(wire.reads[1].count, 5u);

    script({"!", "FFFFFFFF\r"});
    ASSERT_TRUE(link.ReadWord(0x000100, 'L', value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_EQ(wire.reads.back().count, 9u);

    script({"12345678\r"});
    ASSERT_TRUE(link.ReadNext('l', value));
    EXPECT_EQ(wire.writes.back(), framed("l"));
    EXPECT_EQ(value, 0x12345678u);
}

TEST_F(PodCommands, ReadWithAnotherModeLetterReadsNoData)
{
    connect(false);
    std::uint32_t value = 7;
    script({"!"});
    EXPECT_TRUE(link.ReadWord(0x10, 'x', value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(wire.writes.back(), framed("x"));
    EXPECT_EQ(wire.reads.size(), 1u); // only the address acknowledgement
}

TEST_F(PodCommands, ReadRetriesOnceAfterPurgeAndTxDelay)
{
    connect(false);
    link.setTxDelayIndex(5);
    std::uint32_t value = 0;
    // First attempt: reply without its CR. Second attempt: good.
    script({"!", "1234X", "", "!", "00AB\r"});
    ASSERT_TRUE(link.ReadWord(0x8000, 'r', value));
    EXPECT_EQ(value, 0xABu);
    const std::vector<std::string> expected {
        framed("@008000\r"), framed("r"), framed("I5"), framed("@008000\r"), framed("r")};
    EXPECT_EQ(wire.writes, expected);
    EXPECT_EQ(wire.purges, 2);

    // Two failures: no third attempt.
    wire.writes.clear();
    script({"!", "12G4\r", "", "?"});
    EXPECT_FALSE(link.ReadWord(0x8000, 'r', value));
    EXPECT_EQ(wire.writes.size(), 4u);
}

TEST_F(PodCommands, ReadRejectsAnAddressWiderThanItsField)
{
    connect(false);
    std::uint32_t value = 0;
    EXPECT_FALSE(link.ReadWord(0x1000000, 'R', value));
    EXPECT_TRUE(wire.writes.empty());
}

TEST_F(PodCommands, WriteWordFramesAndChecksums)
{
    connect(false);
    script({"!", "!", "!"});
    ASSERT_TRUE(link.WriteWord(1, 0x001234, 0x12345));
    EXPECT_EQ(wire.writes.back(),
        framed("W10012342345"
               "80\r"));
    EXPECT_EQ(wire.writes.back().size(), 17u);
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 2000ms);

    ASSERT_TRUE(link.WriteWord(2, 0x3F8000, 0));
    EXPECT_EQ(wire.writes.back(),
        framed("W23F800000000000"
               "4A\r"));
    EXPECT_EQ(wire.writes.back().size(), 21u);

    EXPECT_FALSE(link.WriteWord(3, 0, 0));
    script({"?"});
    const std::size_t before = wire.writes.size();
    EXPECT_FALSE(link.WriteWord(1, 0, 0));
    EXPECT_EQ(wire.writes.size(), before + 1); // not retried
}

TEST_F(PodCommands, AcknowledgedBootWordsAreWrittenAlone)
{
    connect(true);
    script({"!", "!", "!", "?"});
    EXPECT_TRUE(link.SendBootWord('U', 0x08AA, 3000ms));
    EXPECT_EQ(wire.writes.back(), framed("U08AA\r"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 3000ms);
    EXPECT_TRUE(link.SendBoot32(0x003F8000, 3000ms));
    EXPECT_EQ(wire.writes[1], framed("U003F\r"));
    EXPECT_EQ(wire.writes[2], framed("U8000\r"));
    EXPECT_FALSE(link.SendBootWord('X', 0, 3000ms));
    EXPECT_FALSE(link.SendBootWord('Q', 1, 3000ms));
    EXPECT_EQ(wire.writes.size(), 4u);
}

TEST_F(PodCommands, SerialStreamWordFailsOnAnyWaitingByte)
{
    connect(false);
    EXPECT_TRUE(link.SendBootWord('S', 0x1234, 100ms));
    EXPECT_EQ(wire.writes.back(), framed("S1234\r"));
    EXPECT_TRUE(wire.reads.empty());
    script({"E"});
    EXPECT_FALSE(link.SendBootWord('S', 0x1235, 100ms));
    EXPECT_EQ(wire.writes.size(), 2u); // written, yet failed
}

TEST_F(PodCommands, UsbStreamWordsAreBatchedIntoWritesOf350CharactersOrMore)
{
    connect(true);
    for (int i = 0; i < 43; ++i) {
        ASSERT_TRUE(link.SendBootWord('S', static_cast<std::uint16_t>(i), 100ms));
    }
    EXPECT_TRUE(wire.writes.empty());
    ASSERT_TRUE(link.SendBootWord('S', 43, 100ms));
    ASSERT_EQ(wire.writes.size(), 1u);
    EXPECT_EQ(wire.writes[0].size(), 352u); // 44 frames of 8 bytes
    EXPECT_EQ(wire.writes[0].substr(0, 8), framed("S0000\r"));
    EXPECT_EQ(wire.drainTimeouts[0], 2000ms);

    script({"!"});
    ASSERT_TRUE(link.SendBootWord('S', 0xAAAA, 100ms));
    ASSERT_TRUE(link.SendBootWord('Y', 0xBBBB, 4000ms));
    ASSERT_EQ(wire.writes.size(), 2u);
    EXPECT_EQ(wire.writes[1], framed("SAAAA\r") + framed("YBBBB\r"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 4000ms);
}

TEST_F(PodCommands, UsbStrayByteAfterAFlushFailsTheWord)
{
    connect(true);
    wire.pending = "E";
    for (int i = 0; i < 43; ++i) {
        ASSERT_TRUE(link.SendBootWord('S', 0, 100ms)); // no write yet, nothing checked
    }
    EXPECT_FALSE(link.SendBootWord('S', 0, 100ms));
    // The batch was emptied by the flush: the closing word goes alone.
    wire.pending.clear();
    script({"!"});
    ASSERT_TRUE(link.SendBootWord('Z', 1, 100ms));
    EXPECT_EQ(wire.writes.back(), framed("Z0001\r"));
}

TEST_F(PodCommands, StreamWordsForTheFlashAlgorithm)
{
    connect(true);
    ASSERT_TRUE(link.SendStreamWord(0x1111, false));
    ASSERT_TRUE(link.SendStreamWord(0x2222, true));
    ASSERT_EQ(wire.writes.size(), 1u);
    EXPECT_EQ(wire.writes[0], framed("J1111\r") + framed("J2222\r"));
    EXPECT_TRUE(wire.reads.empty());
}

TEST_F(PodCommands, PurgeDropsAnUnsentBatch)
{
    connect(true);
    ASSERT_TRUE(link.SendBootWord('S', 0x1111, 100ms));
    link.Purge();
    script({"!"});
    ASSERT_TRUE(link.SendBootWord('Y', 0x2222, 100ms));
    EXPECT_EQ(wire.writes.back(), framed("Y2222\r"));
}

TEST_F(PodCommands, FlashCommandFramesTimeOutsAndDeviceRules)
{
    connect(false);
    script({"X", "X", "!", "!", "!", "!", "!"});
    EXPECT_TRUE(link.FlashCommand(FlashOp::CheckUnlocked, 65));
    EXPECT_EQ(wire.writes.back(), framed("O00"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 2000ms);
    EXPECT_FALSE(link.FlashCommand(FlashOp::CheckUnlocked, 66));

    EXPECT_TRUE(link.FlashCommand(FlashOp::Erase, 68, {.sectors = 0x8003}));
    EXPECT_EQ(wire.writes.back(), framed("O018003"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 100000ms);

    EXPECT_TRUE(link.FlashCommand(FlashOp::Program, 20, {.address = 0x3F8000, .count = 200}));
    EXPECT_EQ(wire.writes.back(), framed("O023F800000C8"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 3000ms);

    EXPECT_TRUE(link.FlashCommand(FlashOp::AddressCountExtra, 20, {.address = 0x12, .count = 1, .extra = 0xFFFF}));
    EXPECT_EQ(wire.writes.back(), framed("O030000120001FFFF"));

    const std::size_t before = wire.writes.size();
    EXPECT_FALSE(link.FlashCommand(FlashOp::SelectBank1, 65));
    EXPECT_FALSE(link.FlashCommand(FlashOp::SelectBank2, 71));
    EXPECT_EQ(wire.writes.size(), before);
    EXPECT_TRUE(link.FlashCommand(FlashOp::SelectBank2, 66));
    EXPECT_EQ(wire.writes.back(), framed("O05"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 2000ms);
    EXPECT_FALSE(link.FlashCommand(FlashOp::Program, 20, {.address = 0x1000000, .count = 1}));
}

TEST_F(PodCommands, DataFlashRecords)
{
    connect(false);
    script({"!", "!", "", "!"});
    ASSERT_TRUE(link.DataFlashInit(1));
    EXPECT_EQ(wire.writes.back(), framed(":7101C9\r"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 2000ms);
    EXPECT_FALSE(link.DataFlashInit(6));

    ASSERT_TRUE(link.DataFlashEraseSector(0x45)); // index & 0x3F
    EXPECT_EQ(wire.writes.back(), framed(":7200052E\r"));
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 5000ms);

    const std::vector<std::uint8_t> data {0x12, 0xAB};
    wire.writes.clear();
    ASSERT_TRUE(link.DataFlashProgramPage(0x4001, 0x01, data));
    ASSERT_EQ(wire.writes.size(), 2u);
    EXPECT_EQ(wire.writes[0].size(), 300u);
    EXPECT_EQ(wire.writes[1].size(), 226u);
    const std::string record = wire.written();
    EXPECT_EQ(record.substr(0, 16),
        "\x02:73000101"
        "12AB"
        "FF");
    std::string fields = record.substr(2, 8 + 512);
    unsigned sum = 0;
    for (char c : fields) {
        sum += static_cast<unsigned char>(c);
    }
    char checksum[3];
    std::snprintf(checksum, sizeof checksum, "%02X", sum & 0xFF);
    EXPECT_EQ(record.substr(522), std::string(checksum) + "\r\x03");
    EXPECT_EQ(wire.reads.back().firstByteTimeout, kDefaultReplyTimeout + 2000ms);

    wire.writes.clear();
    script({"!"});
    ASSERT_TRUE(link.DataFlashVerifyPage(0, 0xFF, data));
    EXPECT_EQ(wire.written().substr(0, 4), "\x02:74");
    EXPECT_FALSE(link.DataFlashVerifyPage(0, 0xFF, std::vector<std::uint8_t>(257)));
}

TEST_F(PodCommands, CommandsFailWithoutAConnection)
{
    std::uint32_t value = 0;
    EXPECT_FALSE(link.Ping());
    EXPECT_FALSE(link.ReadWord(0, 'R', value));
    EXPECT_EQ(link.QueryFirmwareVersion(), 0);
    EXPECT_FALSE(link.SendBootWord('S', 0, 10ms));
}

} // namespace
} // namespace lumetra::link
