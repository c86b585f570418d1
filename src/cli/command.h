// Sub-commands of lumetra-cli register themselves with a static CommandRegistration.
#pragma once

#include <QJsonDocument>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace lumetra::cli {

// args[0] is "lumetra-cli <command>", the rest are the command's own arguments.
using CommandFunction = std::function<int(const QStringList& args)>;

struct Command {
    QString name;
    QString summary;
    CommandFunction run;
};

std::vector<Command>& commandRegistry();

struct CommandRegistration {
    CommandRegistration(QString name, QString summary, CommandFunction run);
};

// Output helpers: every command prints through these so text and JSON stay consistent.
void printLine(const QString& text);
void printError(const QString& text);
void printJson(const QJsonDocument& document);

} // namespace lumetra::cli
