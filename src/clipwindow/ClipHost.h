#pragma once
// What a clip window needs from the main window that owns it. The main
// window implements it; tests give a window a host of their own.
#include <cstdint>
#include <string>

#include "settings/ClipSettings.h"
#include "settings/LocalisedTexts.h"

namespace clipwindow {

class ClipHost {
public:
    // The settings as they stand now (read from the settings pages).
    virtual settings::ClipSettings Settings() const = 0;
    virtual const settings::LocalisedTexts& Texts() const = 0;
    // Adds one to the clip counter and returns the new value: the using window's Serial.
    virtual std::int32_t TouchClipCounter() = 0;
    // The window in this slot has closed: the slot can take a new clip.
    virtual void ClipClosed(int slot) = 0;
    // Around a window's own copy to the clipboard, so that it comes back as no new clip.
    virtual void BeginOwnCopy() = 0;
    virtual void EndOwnCopy() = 0;

protected:
    ~ClipHost() = default;
};

}  // namespace clipwindow
