// A program that imports two functions Windows XP lacks: the import check
// must refuse it, or it could not refuse the real program either.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>

int main()
{
    SetProcessDPIAware();
    return static_cast<int>(GetTickCount64());
}
