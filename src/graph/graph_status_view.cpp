#include "graph/graph_status_view.h"

namespace lumetra::graph {

std::array<GraphStatusPane, 5> graphStatusPanes(GraphKind kind)
{
    return {{
        {GraphStatusPaneRole::Message, 100, ""},
        {GraphStatusPaneRole::Scale, 140, "Max:0000, Min:0000"},
        {GraphStatusPaneRole::Decimals, 50, "소숫점:0"},
        {GraphStatusPaneRole::Channel, 25, "CH1"},
        {GraphStatusPaneRole::Activity, kind == GraphKind::Time ? 30 : 150, "데이터 수집 시작..."},
    }};
}

} // namespace lumetra::graph
