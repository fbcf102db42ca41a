# Files of src/clipwindow: velmor_portable(...) for portable ones, velmor_win32(...) for the rest.
velmor_portable(ClipWindowRules.cpp)
velmor_win32(ClipWindow.cpp)
