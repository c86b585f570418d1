// The lines the application writes to the message page: the link state, COFF loads, symbol files, the
// programming commands and the registered variables a load left without a symbol. `port` is the link's name of
// the port; causes and paths are kept as they come.
#pragma once

#include "image/type_reading.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace lumetra::app {

std::string connectedLine(std::string_view port);
std::string connectFailedLine(std::string_view port, std::string_view cause);
std::string aliveCheckFailedLine(std::string_view port, std::string_view cause);
std::string disconnectedLine(std::string_view port);
std::string monitoringStoppedLine(std::string_view cause);
std::string targetResetLine(std::string_view port);
std::string targetResetFailedLine(std::string_view cause);

std::string coffNotOpenedLine(std::string_view path);
std::string coffLoadedLine(std::string_view path, std::size_t words);
// `message` is the reader's message for the result.
std::string coffNotLoadedLine(std::string_view path, std::string_view message);
// How the loaded program's types were read.
std::string typeReadingLine(const image::TypeReading& reading);
// The registered variables the loaded program has no symbol for: they keep their earlier addresses.
std::string unboundVariablesLine(std::span<const std::string> names);

std::string symbolFileOpenedLine(std::string_view path, std::size_t variables);
std::string symbolFileSavedLine(std::string_view path, std::size_t variables);
// `message` is the one the prompt shows.
std::string symbolFileNotOpenedLine(std::string_view path, std::string_view message);
std::string symbolFileNotSavedLine(std::string_view path, std::string_view message);

// `resultLine` is the run's result line, " [ Serial Boot Completed ]" and the like.
std::string sciBootResultLine(std::string_view resultLine);
std::string sciBootNotStartedLine(std::string_view message);
// `title` is the command's title, "DSP2834x 데이터 플래시 Erase" and the like.
std::string dataFlashDoneLine(std::string_view title);
// `resultLine` is the run's last log line, "[ERROR]: SCI BOOT is failed" and the like.
std::string dataFlashFailedLine(std::string_view title, std::string_view resultLine);
std::string dataFlashNotStartedLine(std::string_view message);

} // namespace lumetra::app
