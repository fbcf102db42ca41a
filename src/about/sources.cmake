# Files of src/about: velmor_portable(...) for portable ones, velmor_win32(...) for the rest.
velmor_portable(Walkers.cpp FramePacer.cpp)
velmor_win32(Animation.cpp AboutBox.cpp)
