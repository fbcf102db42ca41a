#pragma once
// The language files beside the executable: reading one, applying it to the
// settings window, listing them by their first lines, and choosing a file to
// copy in ("Put File").
#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/LanguageFile.h"
#include "settings/LanguageKeys.h"
#include "ui/ListBox.h"

namespace settings {

// A file's bytes, whole. Throws the file error "Cannot open file ..." when
// it cannot be opened or read.
std::string ReadFileBytes(const std::string& path);
// A language file as the system reads it: the system code page for text
// without a mark, keys matched without regard to case by the user's locale.
LanguageText ReadLanguageFile(const std::string& path);

class Languages {
public:
    // The pair a listing found: both in the system code page.
    struct Entry {
        std::string fileName;     // bare file name in the folder
        std::string displayName;  // the file's first line, or its name when it has none
    };

    explicit Languages(std::string folder) : folder_(std::move(folder)) {}
    const std::string& Folder() const noexcept { return folder_; }

    // Reads the file and applies it; errors (an unreadable file, a font size
    // that is no number) propagate after what came before them was applied.
    void Apply(const std::string& path, LanguageTarget& target) const;
    // Lists "*.lng" in the folder's search order into the table and the list
    // box. A file that cannot be read stops the listing with its error; the
    // rows found before it stay.
    void List(ui::ListBox& list);
    const std::vector<Entry>& Table() const noexcept { return table_; }
    // The file of the first pair showing this display name (exactly, case counts).
    std::optional<std::string> FileOf(const std::string& displayName) const;

    // The file-open dialog for "Put File"; the chosen file's full path.
    std::optional<std::string> ChooseFile(HWND owner) const;
    // Runs the dialog in place of GetOpenFileNameA (true: a file was chosen);
    // tests answer for the user with it. An empty runner restores the dialog.
    using DialogRunner = std::function<bool(OPENFILENAMEA& dialog)>;
    static void SetDialogRunner(DialogRunner runner);

private:
    std::string folder_;
    std::vector<Entry> table_;
};

}  // namespace settings
