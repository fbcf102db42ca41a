# main.cpp is the executable's entry and is added by the top-level file.
velmor_win32(Controller.cpp ControllerClips.cpp MainWindow.cpp SingleInstance.cpp TrayIcon.cpp)
velmor_portable(TrayLogic.cpp)
