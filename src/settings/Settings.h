#pragma once
// Every setting, each by one name: that of its key in property.ini (and of
// its control on the settings pages), with its built value. The settings
// file loads and saves it, the pages show and edit it, the clip windows and
// the road of a copy read it. Portable.
#include <string>

#include "clipboard/RoadSettings.h"
#include "ui/Color.h"

namespace settings {

struct Settings {
    // [Main]: the settings window
    int activePage = 0;  // ActivePage; kept as read, the window ignores an index it has no page for
    int left = 0;        // Left, Top, Width, Height: outer bounds
    int top = 0;
    int width = 0;
    int height = 0;
    // [property]
    clipboard::RoadSettings road;  // what the road reads: MaxClipCount, IgnoreLargeText, SizeOfText, ...
    int clipWidth = 200;           // Width: client width of a clip window ("width :")
    int maxHeight = 120;           // MaxHeight ("Max Height :")
    bool hideGradually = false;    // HideGradually ("Hide Gradually(Win2000 or later)")
    // [ClipText]: the clip font and the clip text's layout
    std::string clipFont;            // ClipFont
    int clipFontSize = 0;            // ClipFontSize, points
    int clipFontCharset = 0;         // ClipFontCharset, 0..255
    bool scrollBarVertical = true;   // ScrollBar: "Vertical" rather than "None"
    int leftMargin = 0;              // LeftMargin
    int rightMargin = 0;             // RightMargin
    // [ClipWindow]
    ui::ColorValue standardColor = ui::kColorWindow;                           // StandardColor
    ui::ColorValue fixedColor = static_cast<ui::ColorValue>(0xFF000018);       // FixedColor: tooltip background
    ui::ColorValue standardTextColor = ui::kColorWindowText;                   // StandardTextColor
    ui::ColorValue fixedTextColor = static_cast<ui::ColorValue>(0xFF000017);   // FixedTextColor: tooltip text
    std::string timeFormat = "hh:mm ss";  // TimeFormat, a picture in the system code page
    bool titleTimer = true;               // "Show Timer Count Down"; not kept in the file
    // [Other]
    bool loadLanguage = false;  // LoadLanguage
    std::string loadFile;       // LoadFile: a bare file name, empty when none was chosen

    friend bool operator==(const Settings&, const Settings&) = default;
};

constexpr int kMinClipCount = 1;
constexpr int kMaxClipCount = 50;

}  // namespace settings
