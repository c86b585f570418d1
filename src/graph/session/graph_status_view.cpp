#include "graph/session/graph_status_view.h"

namespace lumetra::graph {

std::vector<GraphStatusPane> graphStatusPanes(GraphKind kind)
{
    std::vector<GraphStatusPane> panes {
        {GraphStatusPaneRole::Message, 100, ""},
        {GraphStatusPaneRole::Scale, 140, "Max:0000, Min:0000"},
        {GraphStatusPaneRole::Decimals, 50, "소숫점:0"},
        {GraphStatusPaneRole::Channel, 25, "CH1"},
        {GraphStatusPaneRole::Activity, kind == GraphKind::Time ? 30 : 150, "데이터 수집 시작..."},
    };
    if (kind == GraphKind::Time) {
        panes.push_back({GraphStatusPaneRole::Lag, 110, "늦음:0, 건너뜀:0"});
    }
    return panes;
}

} // namespace lumetra::graph
