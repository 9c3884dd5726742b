#include "console.h"

#ifdef Q_OS_WIN
#include <cstdio>
#include <windows.h>

namespace {
bool redirected(DWORD which)
{
    const HANDLE h = GetStdHandle(which);
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}
} // namespace

void useParentConsole()
{
    const bool out = redirected(STD_OUTPUT_HANDLE);
    const bool err = redirected(STD_ERROR_HANDLE);
    if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!out && std::freopen("CONOUT$", "w", stdout))
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (!err && std::freopen("CONOUT$", "w", stderr))
        std::setvbuf(stderr, nullptr, _IONBF, 0);
}

#else

void useParentConsole() {}

#endif
