#include "cli/standard_output.h"

#include <cstdio>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#endif

namespace lumetra::cli {

bool standardOutputIsFile()
{
#ifdef _WIN32
    struct _stat status { };
    return _fstat(_fileno(stdout), &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFREG;
#else
    struct stat status { };
    return ::fstat(::fileno(stdout), &status) == 0 && S_ISREG(status.st_mode);
#endif
}

} // namespace lumetra::cli
