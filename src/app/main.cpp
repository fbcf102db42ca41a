// Velmor's entry: one instance per session, then the message loop.
#include <windows.h>

#include "about/AboutBox.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "ui/Application.h"

namespace {
constexpr char kInstanceMutex[] = "Velmor";
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const app::InstanceClaim instance = app::ClaimInstance(kInstanceMutex);
    if (instance.otherRuns) return 0;

    ui::Application& application = ui::Application::Get();
    int exitCode = 0;
    try {
        application.Initialize();
        application.SetShowMainForm(false);
        SetWindowLongA(application.Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
        application.SetTitle(L"Velmor");
        bool created = false;
        try {
            app::MainWindow& mainWindow = application.CreateForm<app::MainWindow>();
            mainWindow.aboutBox = &application.CreateForm<about::AboutBox>(mainWindow);
            created = true;
        } catch (...) {
            // Reported, then the program ends rather than living on unreachable.
            ui::ReportCurrentException();
            exitCode = 1;
        }
        if (created) application.Run();
    } catch (...) {
        ui::ReportCurrentException();
        exitCode = 1;
    }
    application.DestroyForms();
    if (instance.mutex) ReleaseMutex(instance.mutex.get());
    return exitCode;
}
