velmor_win32(VxClipDetector.cpp)
