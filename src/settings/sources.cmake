# Files of src/settings: velmor_portable(...) for portable ones, velmor_win32(...) for the rest.
velmor_portable(TimePicture.cpp IntegerText.cpp Charsets.cpp LanguageFile.cpp LanguageKeys.cpp)
velmor_portable(WindowsPicture.cpp SettingsFile.cpp)
velmor_win32(SystemLocale.cpp SettingsPages.cpp PropertyFile.cpp Languages.cpp)
