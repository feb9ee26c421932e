// Vornak1 on raw Win32.
#include "app/shell.h"
#include "forms/catalogue.h"
#include "win32drives.h"
#include "win32filesystem.h"
#include "win32frontend.h"
#include "win32text.h"

#include <windows.h>

#include <exception>
#include <memory>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    vornak::win32::prepareProcess();
    try {
        vornak::win32::FrontEnd frontEnd(instance);
        frontEnd.initialise();
        vornak::win32::FileSystem fileSystem(std::make_unique<vornak::win32::DriveSource>());
        vornak::Shell shell(vornak::forms::catalogue(), frontEnd, fileSystem);
        shell.start();
        if (!shell.running())
            return 1;
        return frontEnd.run();
    } catch (const std::exception& e) {
        // The program cannot even start: the system's reason, then leave.
        MessageBoxW(nullptr, vornak::win32::widen(e.what()).c_str(), L"Vornak1", MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return 1;
    }
}
