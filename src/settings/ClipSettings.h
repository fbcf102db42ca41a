#pragma once
// The values the clip manager and the clip windows read at the moment they
// need them, with their built values. The settings pages show and edit them;
// the settings file loads and saves them.
#include <cstdint>
#include <string>

#include "ui/Color.h"

namespace settings {

struct ClipSettings {
    // Property page
    int maxClipCount = 3;          // "Max Clip Count :", 1..50
    int maxWidth = 200;            // "width :", client width of a clip window
    int maxHeight = 120;           // "Max Height :"
    bool ignoreLargeText = true;   // "Ignore Large Text"
    int maxTextSize = 1000;        // "Size of Text :", bytes
    bool countDownEnabled = false; // "Close Clip Timer"
    int countDown = 120;           // "Count Down :", seconds
    bool hideGradually = false;    // "Hide Gradually(Win2000 or later)"
    bool doubleCopy = false;       // "Clip Window only show Double Copyed"
    // ClipText page
    bool scrollBarsVertical = true;  // "Vertical" rather than "None"
    int leftMargin = 0;
    int rightMargin = 0;
    // Clip Window page
    bool titleTimer = true;             // "Show Timer Count Down"
    std::string timeFormat = "hh:mm ss";  // picture, system code page
    ui::ColorValue standardColor = ui::kColorWindow;
    ui::ColorValue standardTextColor = ui::kColorWindowText;
    ui::ColorValue fixedColor = static_cast<ui::ColorValue>(0xFF000018);      // tooltip background
    ui::ColorValue fixedTextColor = static_cast<ui::ColorValue>(0xFF000017);  // tooltip text
};

constexpr int kMinClipCount = 1;
constexpr int kMaxClipCount = 50;

}  // namespace settings
