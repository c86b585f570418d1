// Opening a port over the in-process simulator starts with an empty receive buffer, but reaches the POD as
// it stands: a reply still on its way and a partly received frame survive the open.
#include "sim/in_process_transport.h"

#include "support/timed_transport.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace lumetra::sim {
namespace {

using namespace std::chrono_literals;
using test::timedRead;
using test::timedSend;

bool writeRaw(link::Transport& transport, const std::string& bytes)
{
    return transport.write(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), 200ms);
}

class InProcessOpen : public ::testing::Test {
protected:
    // Closes `transport` and opens the serial port or the USB device again.
    std::unique_ptr<link::Transport> reopen(std::unique_ptr<link::Transport> transport, bool usb)
    {
        transport->close();
        return usb ? factory.openUsb("USB POD", 921600, 200ms) : factory.openSerial(1);
    }

    PodSimulator pod;
    InProcessTransportFactory factory{pod};
};

TEST_F(InProcessOpen, ALateReplyArrivesOnThePortOpenedAfterIt)
{
    ASSERT_TRUE(factory.loadUsbDriver());
    for (const bool usb : {false, true}) {
        SCOPED_TRACE(usb ? "USB" : "serial");
        auto port = factory.openSerial(1);
        pod.injectFault({.kind = FaultKind::Delay, .command = 'Q', .delay = 100ms});
        ASSERT_TRUE(timedSend(*port, "Q").ok);
        port = reopen(std::move(port), usb);
        ASSERT_NE(port, nullptr);
        const auto late = timedRead(*port, 4, 1000ms, 100ms);
        EXPECT_TRUE(late.ok);
        EXPECT_EQ(late.bytes, "UP21");
    }
}

TEST_F(InProcessOpen, RepliesThatArrivedBeforeTheOpenAreGone)
{
    auto port = factory.openSerial(1);
    ASSERT_TRUE(timedSend(*port, "!").ok);
    while (port->bytesWaiting() == 0u)
        std::this_thread::sleep_for(1ms);
    port = reopen(std::move(port), false);
    EXPECT_EQ(port->bytesWaiting(), 0u);
    EXPECT_EQ(pod.queuedReplyBytes(), 0u);
}

TEST_F(InProcessOpen, ThePodKeepsAFrameBegunBeforeTheOpen)
{
    auto port = factory.openSerial(1);
    ASSERT_TRUE(writeRaw(*port, "\x02K"));
    port = reopen(std::move(port), false);
    ASSERT_TRUE(writeRaw(*port, "4\x03"));
    const auto ack = timedRead(*port, 1, 200ms, 100ms);
    EXPECT_TRUE(ack.ok);
    EXPECT_EQ(ack.bytes, "!");
    EXPECT_EQ(pod.targetBaudCode(), 4);
}

} // namespace
} // namespace lumetra::sim
