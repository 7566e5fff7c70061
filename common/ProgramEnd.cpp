#include "common/ProgramEnd.h"

#include <QtGlobal>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tombolix {

int endProgram(int exitCode) {
#ifdef Q_OS_WIN
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), UINT(exitCode));
#endif
    return exitCode;
}

} // namespace tombolix
