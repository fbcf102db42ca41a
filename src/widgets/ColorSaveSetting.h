#pragma once
// Where a colour picker may keep the colour dialog's 16 custom colours: an
// INI file named after the executable, or a key under HKEY_CURRENT_USER.
#include <string>

#include "widgets/CustomColorList.h"

namespace widgets {

enum class SaveToColorFile { scfIniFile = 0, scfRegistry = 1 };

struct ColorSaveSetting {
    SaveToColorFile RegIni = SaveToColorFile::scfIniFile;
    // The INI section or the registry key path, in the system code page.
    std::string Section;

    friend bool operator==(const ColorSaveSetting&, const ColorSaveSetting&) = default;
};

// The executable's path with ".ini" in place of its extension.
std::wstring CustomColorIniPath();

// Replaces the list with the stored lines "ColorA=..." to "ColorP=..." that
// exist. A registry key that cannot be opened leaves the list as it is.
void LoadCustomColors(const ColorSaveSetting& setting, CustomColorList& list);
// Writes every "name=value" line. A registry key that cannot be opened or
// made gets nothing.
void SaveCustomColors(const ColorSaveSetting& setting, const CustomColorList& list);

}  // namespace widgets
