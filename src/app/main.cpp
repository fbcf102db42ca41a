// Velmor's entry: one instance per session, then the message loop.
#include <windows.h>

#include <memory>

#include "about/AboutBox.h"
#include "app/Controller.h"
#include "app/SingleInstance.h"
#include "platform/OutsideNames.h"
#include "ui/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const app::InstanceClaim instance = app::ClaimInstance(platform::kInstanceMutex);
    if (instance.otherRuns) return 0;

    ui::Application& application = ui::Application::Get();
    int exitCode = 0;
    std::unique_ptr<app::Controller> controller;
    try {
        application.Initialize();
        application.SetShowMainForm(false);
        SetWindowLongA(application.Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
        application.SetTitle(L"Velmor");
        try {
            // Its settings window is the application's main form: closing it ends the program.
            controller = std::make_unique<app::Controller>();
            controller->SetAboutBox(&application.CreateForm<about::AboutBox>(controller->Window()));
        } catch (...) {
            // Reported, then the program ends rather than living on unreachable.
            ui::ReportCurrentException();
            exitCode = 1;
        }
        if (controller && exitCode == 0) application.Run();
    } catch (...) {
        ui::ReportCurrentException();
        exitCode = 1;
    }
    application.DestroyForms();
    controller.reset();
    // The mutex is not owned, only kept open: its handle closes with the program.
    return exitCode;
}
