#include "graph/ui/qt_graph_dialogs.h"

#include "graph/ui/graph_entry_dialog.h"

namespace lumetra::graph::ui {

namespace {

// Runs the dialog; its check keeps the accepted value of `check`, which the result returns.
template <typename T, typename CheckTexts>
std::optional<T> ask(std::string_view title, std::vector<EntryField> fields, CheckTexts check,
    core::UserPrompts& prompts, QWidget* parent)
{
    std::optional<T> accepted;
    GraphEntryDialog dialog(
        title, std::move(fields),
        [&](const std::vector<std::string>& texts) {
            EntryCheck<T> result = check(texts);
            accepted = result.value;
            return EntryVerdict {std::move(result.message), std::move(result.notice)};
        },
        prompts, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return accepted;
}

} // namespace

std::optional<ScaleBounds> QtGraphDialogs::askScaleBounds(const ScaleBoundTexts& prefill)
{
    return ask<ScaleBounds>(
        kBoundsDialogTitle, {{kMinimumLabel, prefill.minimum, {}, 0}, {kMaximumLabel, prefill.maximum, {}, 0}},
        [](const std::vector<std::string>& texts) { return checkScaleBounds(texts[1], texts[0]); }, prompts_, parent_);
}

std::optional<std::uint32_t> QtGraphDialogs::askDecimals(std::string_view prefill)
{
    return ask<std::uint32_t>(
        kDecimalsDialogTitle, {{kDecimalsLabel, std::string(prefill), {}, kDecimalsEntryLength}},
        [](const std::vector<std::string>& texts) { return checkDecimalsEntry(texts[0]); }, prompts_, parent_);
}

std::optional<std::int32_t> QtGraphDialogs::askInterval(std::string_view prefill)
{
    return ask<std::int32_t>(
        kIntervalDialogTitle, {{kIntervalLabel, std::string(prefill), kIntervalUnit, 0}},
        [](const std::vector<std::string>& texts) { return checkIntervalEntry(texts[0]); }, prompts_, parent_);
}

} // namespace lumetra::graph::ui
