#include "cli/graph_channel_arguments.h"

#include "cli/link_options.h"
#include "cli/text_format.h"

#include "graph/items/item_dialog_logic.h"
#include "graph/items/item_editor.h"
#include "graph/items/item_types.h"

#include <algorithm>
#include <optional>

namespace lumetra::cli {

namespace {

std::optional<int> typeIndexOf(const std::string& name)
{
    for (std::size_t index = 0; index < graph::kItemTypeChoices.size(); ++index) {
        if (graph::kItemTypeChoices[index].text == name)
            return static_cast<int>(index);
    }
    return std::nullopt;
}

std::string typeNames()
{
    std::string names;
    for (const graph::ItemTypeChoice& choice : graph::kItemTypeChoices)
        names += (names.empty() ? "\"" : ", \"") + std::string(choice.text) + '"';
    return names;
}

std::variant<std::string, graph::GraphChannel> parseChannel(
    graph::GraphKind kind, const std::string& argument, int position)
{
    const bool memory = kind == graph::GraphKind::Memory;
    const std::size_t fields = memory ? 3 : 2;
    const std::vector<std::string> parts = splitAt(argument, ':');
    if (parts.size() < fields) {
        return memory ? "--memory takes ADDR:LENGTH:TYPE[:LABEL], not '" + argument + "'"
                      : "--time takes ADDR:TYPE[:LABEL], not '" + argument + "'";
    }
    const std::string& typeText = parts[fields - 1];
    const std::optional<int> typeIndex = typeIndexOf(typeText);
    if (!typeIndex)
        return fillIn("unknown type '%1'; the types are %2", {typeText, typeNames()});

    graph::ItemEditor editor;
    editor.address = parts[0];
    editor.length = memory ? parts[1] : std::string();
    // A label may hold colons of its own.
    std::string label;
    for (std::size_t part = fields; part < parts.size(); ++part)
        label += (part == fields ? "" : ":") + parts[part];
    editor.label = parts.size() > fields ? label : "CH" + std::to_string(position + 1);
    graph::chooseEditorType(editor, *typeIndex);
    auto checked = graph::validateEditor(kind, core::Family::F28x, editor);
    if (const auto* message = std::get_if<core::DialogMessage>(&checked))
        return message->text;

    // The dialogs' rules saturate a number wider than 32 bits; a command line refuses it.
    if (!parseNumberArgument(parts[0]))
        return "ADDR '" + parts[0] + "' is not a number (hexadecimal takes 0x or H)";
    if (memory && !parseNumberArgument(parts[1]))
        return "LENGTH '" + parts[1] + "' is not a number (hexadecimal takes 0x or H)";
    return std::get<graph::GraphChannel>(checked);
}

} // namespace

std::variant<std::string, std::vector<graph::GraphChannel>> parseGraphChannels(
    graph::GraphKind kind, const std::vector<std::string>& arguments)
{
    if (arguments.size() > static_cast<std::size_t>(graph::kMaxChannels))
        return fillIn("a graph takes at most %1 channels", {numberText(graph::kMaxChannels)});
    std::vector<graph::GraphChannel> channels;
    for (std::size_t n = 0; n < arguments.size(); ++n) {
        auto channel = parseChannel(kind, arguments[n], static_cast<int>(n));
        if (const auto* error = std::get_if<std::string>(&channel))
            return *error;
        auto& parsed = std::get<graph::GraphChannel>(channel);
        const bool taken = std::any_of(channels.begin(), channels.end(),
            [&](const graph::GraphChannel& other) { return other.label == parsed.label; });
        if (taken)
            return std::string(graph::kDuplicateLabelText);
        channels.push_back(std::move(parsed));
    }
    return channels;
}

} // namespace lumetra::cli
