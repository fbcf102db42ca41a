# Project1.cpp is the executable's entry and is added by the top-level file.
velmor_win32(Unit1.cpp Unit1Clips.cpp)
velmor_portable(TrayLogic.cpp)
