#pragma once
// The process-wide font table: the font families of the screen and of the
// default printer, enumerated once, with the two marks the font name pickers
// draw. Built on the GUI thread when the first picker's window is made (after
// the program is in the tray), read only afterwards.
#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/Handles.h"
#include "widgets/FontList.h"

namespace widgets {

// Case-insensitive order by the user's locale. Names that only differ in what
// the locale's word sort ignores (hyphens, apostrophes) stay distinct.
int CompareFontNames(std::wstring_view a, std::wstring_view b);

// One enumeration pass over a device context: every family once, sorted.
std::vector<FontEntry> EnumerateFontFamilies(HDC dc);

class FontTable {
public:
    static const FontTable& Instance();
    FontTable(const FontTable&) = delete;
    FontTable& operator=(const FontTable&) = delete;

    const std::vector<FontEntry>& Entries() const noexcept { return entries_; }
    // Whether the default printer's families are in the table.
    bool HasPrinterPass() const noexcept { return printerPass_; }
    // The 16 x 16 marks from the program's resources; nullptr when missing.
    HBITMAP TrueTypeIcon() const noexcept { return trueTypeIcon_.get(); }
    HBITMAP DeviceTypeIcon() const noexcept { return deviceTypeIcon_.get(); }

private:
    FontTable();

    std::vector<FontEntry> entries_;
    bool printerPass_ = false;
    platform::BitmapHandle trueTypeIcon_;
    platform::BitmapHandle deviceTypeIcon_;
};

}  // namespace widgets
