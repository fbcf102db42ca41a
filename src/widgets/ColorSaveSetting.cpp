#include "widgets/ColorSaveSetting.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Handles.h"
#include "platform/Module.h"

namespace widgets {

namespace {

// GetPrivateProfileStringA cuts a value to the buffer; grow until it fits.
std::string ReadIniValue(const std::string& path, const std::string& section, const std::string& key) {
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), path.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= 65536) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

// A string value of the key, or nothing when it is missing or not a string.
bool ReadRegistryString(HKEY key, const std::string& name, std::string& value) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::vector<char> data(static_cast<std::size_t>(bytes) + 1, '\0');
    DWORD read = bytes;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &read) !=
        ERROR_SUCCESS) {
        return false;
    }
    // The stored data need not end in a terminator.
    data[std::min<std::size_t>(read, bytes)] = '\0';
    value = data.data();
    return true;
}

}  // namespace

std::string CustomColorIniPath() {
    std::string path = platform::ExePath();
    const auto slash = path.find_last_of("\\/");
    const auto dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
    return path + ".ini";
}

void LoadCustomColors(const ColorSaveSetting& setting, CustomColorList& list) {
    if (setting.RegIni == SaveToColorFile::scfIniFile) {
        const std::string path = CustomColorIniPath();
        list.Clear();
        for (int slot = 0; slot < kCustomColorSlots; ++slot) {
            const std::string key = CustomColorKey(slot);
            const std::string value = ReadIniValue(path, setting.Section, key);
            if (!value.empty()) list.Add(key + "=" + value);
        }
        return;
    }
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, setting.Section.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
    const platform::RegKeyHandle key(opened);
    list.Clear();
    for (int slot = 0; slot < kCustomColorSlots; ++slot) {
        const std::string name = CustomColorKey(slot);
        std::string value;
        if (ReadRegistryString(key.get(), name, value)) list.Add(name + "=" + value);
    }
}

void SaveCustomColors(const ColorSaveSetting& setting, const CustomColorList& list) {
    platform::RegKeyHandle key;
    if (setting.RegIni == SaveToColorFile::scfRegistry) {
        HKEY made = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, setting.Section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                            nullptr, &made, nullptr) != ERROR_SUCCESS) {
            return;
        }
        key.reset(made);
    }
    const std::string path = CustomColorIniPath();
    for (const std::string& line : list.Lines()) {
        const auto equals = line.find('=');
        if (equals == std::string::npos || equals == 0) continue;
        const std::string name = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key) {
            RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
        } else {
            WritePrivateProfileStringA(setting.Section.c_str(), name.c_str(), value.c_str(), path.c_str());
        }
    }
}

}  // namespace widgets
