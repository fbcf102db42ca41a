velmor_portable(Error.cpp ProfileText.cpp TextSize.cpp CompactText.cpp ClipboardBytes.cpp)
velmor_win32(Text.cpp Module.cpp File.cpp Clipboard.cpp ClipboardReader.cpp WindowClass.cpp Trace.cpp)
