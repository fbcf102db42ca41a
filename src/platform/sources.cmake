velmor_portable(Error.cpp ProfileText.cpp)
velmor_win32(Text.cpp Module.cpp File.cpp Clipboard.cpp WindowClass.cpp)
