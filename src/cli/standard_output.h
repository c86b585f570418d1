// Where standard output goes.
#pragma once

namespace lumetra::cli {

// Standard output is redirected to a file on disk, not a terminal or a pipe.
bool standardOutputIsFile();

} // namespace lumetra::cli
