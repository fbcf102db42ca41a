velmor_win32(VxClipDetector.cpp)
velmor_portable(ClipRules.cpp ClipManager.cpp)
