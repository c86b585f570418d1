#include "cli/graph_channel_arguments.h"

#include "cli/link_options.h"

#include "graph/item_dialog_logic.h"
#include "graph/item_editor.h"
#include "graph/item_types.h"

#include <algorithm>
#include <optional>

namespace lumetra::cli {

namespace {

std::optional<int> typeIndexOf(const QString& text)
{
    const std::string name = text.toStdString();
    for (std::size_t index = 0; index < graph::kItemTypeChoices.size(); ++index) {
        if (graph::kItemTypeChoices[index].text == name)
            return static_cast<int>(index);
    }
    return std::nullopt;
}

QString typeNames()
{
    QStringList names;
    for (const graph::ItemTypeChoice& choice : graph::kItemTypeChoices)
        names << QStringLiteral("\"%1\"").arg(QString::fromUtf8(choice.text.data(), qsizetype(choice.text.size())));
    return names.join(QStringLiteral(", "));
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::variant<QString, graph::GraphChannel> parseChannel(graph::GraphKind kind, const QString& argument, int position)
{
    const bool memory = kind == graph::GraphKind::Memory;
    const int fields = memory ? 3 : 2;
    const QStringList parts = argument.split(QLatin1Char(':'));
    if (parts.size() < fields) {
        return memory ? QStringLiteral("--memory takes ADDR:LENGTH:TYPE[:LABEL], not '%1'").arg(argument)
                      : QStringLiteral("--time takes ADDR:TYPE[:LABEL], not '%1'").arg(argument);
    }
    const QString& typeText = parts[fields - 1];
    const std::optional<int> typeIndex = typeIndexOf(typeText);
    if (!typeIndex)
        return QStringLiteral("unknown type '%1'; the types are %2").arg(typeText, typeNames());

    graph::ItemEditor editor;
    editor.address = parts[0].toStdString();
    editor.length = memory ? parts[1].toStdString() : std::string();
    editor.label = parts.size() > fields ? parts.mid(fields).join(QLatin1Char(':')).toStdString()
                                         : "CH" + std::to_string(position + 1);
    graph::chooseEditorType(editor, *typeIndex);
    auto checked = graph::validateEditor(kind, core::Family::F28x, editor);
    if (const auto* message = std::get_if<core::DialogMessage>(&checked))
        return QString::fromStdString(message->text);

    // The dialogs read "1A" as decimal 1; a command line refuses what is not a whole number of its base.
    if (!parseNumberArgument(parts[0]))
        return QStringLiteral("ADDR '%1' is not a number (hexadecimal takes 0x or H)").arg(parts[0]);
    if (memory && !parseNumberArgument(parts[1]))
        return QStringLiteral("LENGTH '%1' is not a number (hexadecimal takes 0x or H)").arg(parts[1]);
    return std::get<graph::GraphChannel>(checked);
}

} // namespace

std::variant<QString, std::vector<graph::GraphChannel>> parseGraphChannels(
    graph::GraphKind kind, const QStringList& arguments)
{
    if (arguments.size() > graph::kMaxChannels)
        return QStringLiteral("a graph takes at most %1 channels").arg(graph::kMaxChannels);
    std::vector<graph::GraphChannel> channels;
    for (qsizetype n = 0; n < arguments.size(); ++n) {
        auto channel = parseChannel(kind, arguments[n], static_cast<int>(n));
        if (const auto* error = std::get_if<QString>(&channel))
            return *error;
        auto& parsed = std::get<graph::GraphChannel>(channel);
        const bool taken = std::any_of(channels.begin(), channels.end(),
            [&](const graph::GraphChannel& other) { return other.label == parsed.label; });
        if (taken)
            return fromUtf8(graph::kDuplicateLabelText);
        channels.push_back(std::move(parsed));
    }
    return channels;
}

} // namespace lumetra::cli
