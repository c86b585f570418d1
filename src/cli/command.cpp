#include "cli/command.h"

#include <cstdio>

namespace lumetra::cli {

std::vector<Command>& commandRegistry()
{
    static std::vector<Command> commands;
    return commands;
}

CommandRegistration::CommandRegistration(QString name, QString summary, CommandFunction run)
{
    commandRegistry().push_back(Command{std::move(name), std::move(summary), std::move(run)});
}

void printLine(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void printError(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

void printJson(const QJsonDocument& document)
{
    const QByteArray bytes = document.toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

} // namespace lumetra::cli
