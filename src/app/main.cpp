// Velmor's entry: one instance per session, then the message loop.
#include <windows.h>

#include "about/AboutBox.h"
#include "app/MainWindow.h"
#include "platform/Handles.h"
#include "ui/Application.h"
#include "widgets/FontTable.h"

namespace {
constexpr char kInstanceMutex[] = "Velmor";
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (const HANDLE running = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kInstanceMutex)) {
        CloseHandle(running);
        return 0;
    }
    // Two starts at the same instant both miss OpenMutexA; only one creates the mutex.
    platform::KernelHandle instance(CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

    ui::Application& application = ui::Application::Get();
    int exitCode = 0;
    try {
        application.Initialize();
        application.SetShowMainForm(false);
        SetWindowLongA(application.Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
        application.SetTitle(L"Velmor");
        // The installed fonts are enumerated once, here, so that the first
        // settings window does not wait for it.
        widgets::FontTable::Instance();
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
    if (instance) ReleaseMutex(instance.get());
    return exitCode;
}
