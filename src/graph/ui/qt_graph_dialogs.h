// The three small dialogs of a graph window as GraphEntryDialogs over the graph core's checks.
#pragma once

#include "core/user_prompts.h"
#include "graph/session/graph_dialogs.h"

class QWidget;

namespace lumetra::graph::ui {

class QtGraphDialogs final : public GraphDialogs {
public:
    QtGraphDialogs(core::UserPrompts& prompts, QWidget* parent)
        : prompts_(prompts)
        , parent_(parent)
    {
    }

    std::optional<ScaleBounds> askScaleBounds(const ScaleBoundTexts& prefill) override;
    std::optional<std::uint32_t> askDecimals(std::string_view prefill) override;
    std::optional<std::int32_t> askInterval(std::string_view prefill) override;

private:
    core::UserPrompts& prompts_;
    QWidget* parent_;
};

} // namespace lumetra::graph::ui
