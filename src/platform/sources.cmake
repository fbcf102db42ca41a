velmor_portable(Error.cpp)
velmor_win32(Text.cpp Module.cpp Clipboard.cpp WindowClass.cpp)
