// A value with three decimals ("%.3f"), whatever the C locale: the bound pre-fills, the manual scale and the
// sample times of a graph window.
#pragma once

#include <string>

namespace lumetra::graph {

std::string threeDecimals(double value);

} // namespace lumetra::graph
