# Files of src/widgets: velmor_portable(...) for portable ones, velmor_win32(...) for the rest.
velmor_portable(FontList.cpp FontListModel.cpp PickerHeights.cpp)
velmor_win32(FontTable.cpp FontNameComboBox.cpp PickerComboBox.cpp)
velmor_portable(ColorTable.cpp Kana.cpp ColorPickerModel.cpp UserColors.cpp CustomColorList.cpp)
velmor_win32(ColorComboBox.cpp ColorSaveSetting.cpp)
