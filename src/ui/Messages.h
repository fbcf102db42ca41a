#pragma once
// The program's private window messages, each once, from WM_APP on. The tray
// icon's callback is not among them: the shell sends it by the number the
// icon was added with (platform/OutsideNames.h).
#include <windows.h>

namespace ui {

enum PrivateMessage : UINT {
    // To the application window
    kSweepReleased = WM_APP,  // destroy released windows whose handlers have returned
    kRunHandOffs,             // run the calls workers handed to the GUI thread
    // To the controller's message window
    kMakeSpareClip,          // make the next clip window while idle
    kShowPreview,            // the sample memo takes the latest clip's text
    kCommandsDuringStartUp,  // run the menu commands chosen before the start-up was over
    kClipboardRead,          // the clipboard reader is done
};

}  // namespace ui
