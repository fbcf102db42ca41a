#pragma once
// The language files beside the executable: reading one, applying it to the
// settings window, listing them by their first lines, and choosing a file to
// copy in ("Put File").
#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/LanguageFile.h"
#include "settings/LanguageKeys.h"
#include "settings/SettingsFile.h"
#include "ui/ListBox.h"

namespace settings {

// A file's bytes, whole. Throws the file error "Cannot open file ..." when
// it cannot be opened or read.
std::string ReadFileBytes(const std::wstring& path);
// A language file as the system reads it: the system code page for text
// without a mark, keys matched without regard to case by the user's locale.
LanguageText ReadLanguageFile(const std::wstring& path);

class Languages {
public:
    // The pair a listing found.
    struct Entry {
        std::wstring fileName;    // bare file name in the folder
        std::string displayName;  // the file's first line, or its name when it has none, in the system code page
    };

    // The folder's full path, with a trailing backslash.
    explicit Languages(std::wstring folder) : folder_(std::move(folder)) {}
    const std::wstring& Folder() const noexcept { return folder_; }
    // The full path of a file named in property.ini (system code page), when
    // the name is a plain file name and the file is there. Any other name
    // (with a folder, a drive, "..") is ignored like a missing file: the
    // settings file must not reach outside the program's folder.
    std::optional<std::wstring> PathOf(std::string_view storedName) const;

    // Reads the file and applies it; errors (an unreadable file, a font size
    // that is no number) propagate after what came before them was applied.
    void Apply(const std::wstring& path, LanguageTarget& target) const;
    // Lists "*.lng" in the folder's search order into the table and the list
    // box. A file that cannot be read stops the listing with its error; the
    // rows found before it stay.
    void List(ui::ListBox& list);
    const std::vector<Entry>& Table() const noexcept { return table_; }
    // The file of the first pair showing this display name (exactly, case counts).
    std::optional<std::wstring> FileOf(const std::string& displayName) const;

    // The file-open dialog for "Put File"; the chosen file's full path.
    std::optional<std::wstring> ChooseFile(HWND owner) const;
    // Runs the dialog in place of GetOpenFileNameW (true: a file was chosen);
    // tests answer for the user with it. An empty runner restores the dialog.
    using DialogRunner = std::function<bool(OPENFILENAMEW& dialog)>;
    static void SetDialogRunner(DialogRunner runner);

private:
    std::wstring folder_;
    std::vector<Entry> table_;
};

}  // namespace settings
