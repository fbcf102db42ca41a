#include "widgets/ColorSaveSetting.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/File.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "platform/ProfileText.h"

namespace widgets {

namespace {

// Far more than sixteen colours need; a larger file is none of ours.
constexpr std::uint64_t kLargestStore = 1024 * 1024;

// The store's text: empty when the file is missing, nothing when it is
// there but cannot be read (held, no access, UTF-16).
std::optional<platform::ProfileText> ReadStore(const std::wstring& path) {
    platform::FileContents contents = platform::ReadFileBytes(path, kLargestStore);
    if (contents.Missing()) return platform::ProfileText();
    if (!contents.Read() || platform::ProfileText::IsUtf16(contents.bytes)) return std::nullopt;
    return platform::ProfileText(std::move(contents.bytes));
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

std::wstring CustomColorIniPath() {
    std::wstring path = platform::ExePath();
    const auto slash = path.find_last_of(L"\\/");
    const auto dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.erase(dot);
    return path + L".ini";
}

void LoadCustomColors(const ColorSaveSetting& setting, CustomColorList& list) {
    if (setting.RegIni == SaveToColorFile::scfIniFile) {
        const std::optional<platform::ProfileText> store = ReadStore(CustomColorIniPath());
        list.Clear();
        for (int slot = 0; slot < kCustomColorSlots && store; ++slot) {
            const std::string key = CustomColorKey(slot);
            const std::string value = store->Read(setting.Section, key).value_or("");
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
    const std::wstring path = CustomColorIniPath();
    // The file's other sections and lines stay; one that cannot be read is not written over.
    std::optional<platform::ProfileText> store;
    if (!key) store = ReadStore(path);
    bool changed = false;
    for (const std::string& line : list.Lines()) {
        const auto equals = line.find('=');
        if (equals == std::string::npos || equals == 0) continue;
        const std::string name = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key) {
            RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
        } else if (store) {
            store->Write(setting.Section, name, value);
            changed = true;
        }
    }
    if (changed) platform::OverwriteFile(path, store->Bytes(), platform::WhenMissing::Create);
}

}  // namespace widgets
