velmor_portable(ShortCut.cpp)
velmor_win32(
  Application.cpp CommonControls.cpp Window.cpp Form.cpp Control.cpp Dpi.cpp Menu.cpp Timer.cpp Thread.cpp Graphics.cpp
  MessageWindow.cpp
  Label.cpp Button.cpp CheckBox.cpp Memo.cpp)
velmor_portable(SpinValue.cpp)
velmor_win32(
  RadioButton.cpp GroupBox.cpp SpinEdit.cpp ComboBox.cpp OwnerDrawCombo.cpp ListBox.cpp
  Panel.cpp PageControl.cpp PaintBox.cpp)
