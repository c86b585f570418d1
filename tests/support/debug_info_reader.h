// Tests of the types read from DWARF debug information skip in a build without the DWARF reader.
#pragma once

#include "image/debug_info_reader.h"

#include <gtest/gtest.h>

#define LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER()                                                                       \
    if (!::lumetra::image::debugInfoReaderAvailable())                                                                 \
    GTEST_SKIP() << ::lumetra::image::kNoDebugInfoReaderProblem
