#include "graph/session/graph_session_registry.h"

#include "graph/session/graph_session.h"

#include <algorithm>

namespace lumetra::graph {

void GraphSessionRegistry::enrol(GraphSession& session)
{
    if (std::find(sessions_.begin(), sessions_.end(), &session) == sessions_.end()) {
        sessions_.push_back(&session);
    }
}

void GraphSessionRegistry::leave(GraphSession& session)
{
    std::erase(sessions_, &session);
}

void GraphSessionRegistry::stopAll()
{
    for (GraphSession* session : sessions_) {
        session->stop();
    }
    if (afterStopAll_) {
        afterStopAll_();
    }
}

bool GraphSessionRegistry::anyAcquiring() const
{
    return std::any_of(sessions_.begin(), sessions_.end(), [](const GraphSession* s) { return s->acquiring(); });
}

} // namespace lumetra::graph
