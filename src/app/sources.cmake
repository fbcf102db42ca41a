# main.cpp is the executable's entry and is added by the top-level file.
velmor_win32(MainWindow.cpp MainWindowClips.cpp SingleInstance.cpp TrayIcon.cpp)
velmor_portable(TrayLogic.cpp)
