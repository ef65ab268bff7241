// Program entry of Appdeck.exe: the application object, its title, the
// program's start-up (the skin engine's links), the main window, and the
// message loop until the main window closes.
#include <windows.h>

#include "app/StartUp.h"
#include "app/forms/TfrmAppdeck.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"
#include "gif/GIFGraphics.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ad::TApplication application;
    application.Initialize();
    ad::gif::GIFRegister();  // the GIF codec starts last
    application.Title = "Appdeck";
    ad::StartUpProgram();
    ad::Guarded([&] {
        application.CreateForm<ad::TfrmAppdeck>();
        application.Run();
    });
    return 0;
}
