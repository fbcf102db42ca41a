velmor_portable(Error.cpp TextSize.cpp)
velmor_win32(Text.cpp Module.cpp Clipboard.cpp)
