// Text for the files the graph windows write, in code page 949 as Korean Windows writes it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumetra::graph {

// `utf8` in code page 949, each character the code page lacks (or a malformed byte) written as "?";
// nullopt when the platform has no code page 949 converter.
std::optional<std::string> cp949Text(std::string_view utf8);

} // namespace lumetra::graph
