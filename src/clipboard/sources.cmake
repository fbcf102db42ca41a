velmor_win32(ClipboardWatcher.cpp)
velmor_portable(ClipRules.cpp ClipManager.cpp ClipIntake.cpp)
