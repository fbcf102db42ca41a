velmor_portable(ShortCut.cpp)
velmor_win32(
  Application.cpp Window.cpp Form.cpp Control.cpp Dpi.cpp Menu.cpp Timer.cpp Graphics.cpp
  Label.cpp Button.cpp CheckBox.cpp Memo.cpp)
