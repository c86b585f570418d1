// A graph window opens the link itself and shows the connect messages itself; it stops monitors by kind.
#include "app/graph_host_adapter.h"

#include "app_test_doubles.h"

#include <gtest/gtest.h>

using namespace lumetra;
using namespace lumetra::app;
using namespace lumetra::app::test;

TEST(GraphHostAdapter, ConnectingReturnsTheCodeWithoutAMessage)
{
    AppHarness h;
    GraphHostAdapter host(h.start().linkState());
    h.pod.injectFault({sim::FaultKind::WrongAck, 'K'});

    EXPECT_EQ(host.connectLink(), link::ConnectCode::BaudRefused);
    EXPECT_TRUE(h.prompts.messages.empty());
    EXPECT_FALSE(h.app->mainFrame().link().connected());

    EXPECT_EQ(host.connectLink(), link::ConnectCode::Connected);
    EXPECT_TRUE(h.app->mainFrame().link().connected());
    EXPECT_EQ(h.frame.pane(StatusPane::Link), "OFF LINE"); // a graph does not put the frame on line
}

TEST(GraphHostAdapter, StopsTheMonitorsOfTheKindAndCarriesTheAcquiringFlag)
{
    AppHarness h;
    LinkState& state = h.start().linkState();
    image::CDataObject record;
    record.name = "counter";
    record.address = 0x8000;
    record.type = 4;
    h.app->registeredVariables().push_back(record);
    GraphHostAdapter host(state);

    state.StartMonitoring(MonitorKind::Both);
    ASSERT_TRUE(host.variableMonitoring() && host.addressMonitoring());
    host.StopMonitoring(graph::MonitorStopKind::Variables);
    EXPECT_FALSE(host.variableMonitoring());
    EXPECT_TRUE(host.addressMonitoring());
    host.StopMonitoring(graph::MonitorStopKind::Both);
    EXPECT_FALSE(host.addressMonitoring());
    EXPECT_EQ(h.frame.pane(StatusPane::Link), "OFF LINE");

    host.setGraphAcquiring(true);
    EXPECT_TRUE(state.graphAcquiring());
    EXPECT_FALSE(state.addressMonitorCommand().enabled); // monitors greyed while a graph acquires
}
