#pragma once
// The bytes of an INI file as the private-profile functions read and edit
// them, in the file's own 8-bit encoding. A value is found as
// GetPrivateProfileStringA finds it; a write changes only its key's line (or
// adds one), so every other byte of the file stays as it was.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class ProfileText {
public:
    // A file's bytes, whole; a UTF-8 mark at the start is kept and not read as text.
    explicit ProfileText(std::string bytes = {}) : bytes_(std::move(bytes)) {}

    // Whether the bytes begin with a UTF-16 mark: text that 8-bit reading
    // would mistake, and 8-bit writing would spoil.
    static bool IsUtf16(std::string_view bytes) noexcept;

    // Lines end at CR LF, CR or LF. The value up to a NUL, with blanks and
    // Ctrl+Z around it and one pair of enclosing quotes dropped. A section's
    // name is the text inside its brackets without blanks around it ("[ Main ]"
    // is "Main"). Sections and keys match without regard to ASCII case;
    // only the first section of the name is looked in, and there the first
    // line of the key. Nothing when the key has no such line.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

    // The key's line becomes "key=value" (with the file's spelling of the key
    // and its line end); a new key follows the last line of its section that
    // is not blank; a new section goes at the end, "[section]" then the key.
    // New lines end in CR LF.
    void Write(std::string_view section, std::string_view key, std::string_view value);

    const std::string& Bytes() const noexcept { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace platform
