#include "platform/ProfileText.h"

#include <algorithm>
#include <cstddef>

namespace platform {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";

// The reader's blanks: white space, and Ctrl+Z, the end mark of old text files.
bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

std::string_view Trim(std::string_view text) noexcept {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char AsciiLower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) noexcept {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// One line of the file: its text without the line end, and where the next begins.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;   // of the text, before CR LF or LF
    std::size_t next = 0;  // after the line end
};

class Lines {
public:
    explicit Lines(std::string_view bytes) : bytes_(bytes) {
        if (bytes_.starts_with(kUtf8Mark)) at_ = kUtf8Mark.size();
    }
    // A line ends at CR LF, CR or LF.
    bool Next(Line& line) noexcept {
        if (at_ >= bytes_.size()) return false;
        line.begin = at_;
        line.end = std::min(bytes_.find_first_of("\r\n", at_), bytes_.size());
        line.next = line.end;
        if (line.end < bytes_.size()) {
            line.next = line.end + 1;
            if (bytes_[line.end] == '\r' && line.next < bytes_.size() && bytes_[line.next] == '\n') ++line.next;
        }
        at_ = line.next;
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// The name of a section header line, or nothing for any other line. The
// system takes what lies between the '[' and the last ']', without the blanks
// around it ("[ Main ]" is "Main"), and ignores the rest of the line.
std::optional<std::string_view> SectionName(std::string_view text) noexcept {
    text = Trim(text);
    if (!text.starts_with('[')) return std::nullopt;
    const std::size_t close = text.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(text.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing for a line without "=".
std::optional<std::string_view> KeyName(std::string_view text) noexcept {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(text.substr(0, equals));
}

}  // namespace

bool ProfileText::IsUtf16(std::string_view bytes) noexcept {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

std::optional<std::string> ProfileText::Read(std::string_view section, std::string_view key) const {
    Lines lines(bytes_);
    bool inSection = false;
    for (Line line; lines.Next(line);) {
        const std::string_view text = std::string_view(bytes_).substr(line.begin, line.end - line.begin);
        if (const std::optional<std::string_view> name = SectionName(text)) {
            if (inSection) return std::nullopt;
            inSection = EqualNoCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        const std::optional<std::string_view> name = KeyName(text);
        if (!name || !EqualNoCase(*name, key)) continue;
        std::string_view value = Trim(text.substr(text.find('=') + 1));
        // The functions hand over a C string: a NUL ends the value.
        value = value.substr(0, value.find('\0'));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

void ProfileText::Write(std::string_view section, std::string_view key, std::string_view value) {
    Lines lines(bytes_);
    bool inSection = false;
    std::size_t insertAt = std::string::npos;  // after the section's last line that is not blank
    for (Line line; lines.Next(line);) {
        const std::string_view text = std::string_view(bytes_).substr(line.begin, line.end - line.begin);
        if (const std::optional<std::string_view> name = SectionName(text)) {
            if (inSection) break;
            inSection = EqualNoCase(*name, section);
            if (inSection) insertAt = line.next;
            continue;
        }
        if (!inSection) continue;
        if (!Trim(text).empty()) insertAt = line.next;
        const std::optional<std::string_view> name = KeyName(text);
        if (name && EqualNoCase(*name, key)) {
            std::string replaced(*name);
            replaced.append("=").append(value);
            bytes_.replace(line.begin, line.end - line.begin, replaced);
            return;
        }
    }
    const bool newSection = insertAt == std::string::npos;
    if (newSection) insertAt = bytes_.size();
    std::string added;
    // A last line without its line end gets one before the new line.
    if (insertAt == bytes_.size() && !bytes_.empty() && bytes_.back() != '\n' && bytes_.back() != '\r' &&
        bytes_ != kUtf8Mark) {
        added.append(kNewLine);
    }
    if (newSection) added.append("[").append(section).append("]").append(kNewLine);
    added.append(key).append("=").append(value).append(kNewLine);
    bytes_.insert(insertAt, added);
}

}  // namespace platform
