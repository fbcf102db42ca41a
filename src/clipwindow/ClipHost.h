#pragma once
// What a clip window needs from the controller that owns it. The controller
// implements it; tests give a window a host of their own.
#include "settings/Settings.h"
#include "settings/LocalisedTexts.h"

namespace clipwindow {

class ClipWindow;

class ClipHost {
public:
    // The settings as they stand now (read from the settings pages).
    virtual const settings::Settings& Settings() const = 0;
    virtual const settings::LocalisedTexts& Texts() const = 0;
    // The window was activated or pressed on its title bar: it becomes the newest clip.
    virtual void ClipTouched(const ClipWindow& window) = 0;
    // The window has closed: its slot can take a new clip.
    virtual void ClipClosed(const ClipWindow& window) = 0;
    // A double click on its title bar asks for its text on the clipboard;
    // the window's ShowCopyOutcome follows, at once or once the clipboard is free.
    virtual void CopyBack(const ClipWindow& window) = 0;

protected:
    ~ClipHost() = default;
};

}  // namespace clipwindow
