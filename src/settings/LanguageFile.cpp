#include "settings/LanguageFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace settings {

namespace {

constexpr wchar_t kLineSeparator = 0x2028;
constexpr wchar_t kReplacement = 0xFFFD;

enum class Encoding { Utf16Le, Utf16Be, Utf8, SystemCodePage };

struct MarkedBytes {
    Encoding encoding;
    std::string_view body;  // the bytes after the mark
};

MarkedBytes FindMark(std::string_view bytes) noexcept {
    if (bytes.starts_with("\xFF\xFE")) return {Encoding::Utf16Le, bytes.substr(2)};
    if (bytes.starts_with("\xFE\xFF")) return {Encoding::Utf16Be, bytes.substr(2)};
    if (bytes.starts_with("\xEF\xBB\xBF")) return {Encoding::Utf8, bytes.substr(3)};
    return {Encoding::SystemCodePage, bytes};
}

bool EndsLine(wchar_t c) noexcept { return c == L'\r' || c == L'\n' || c == kLineSeparator; }

// The decoders hand each code unit to put, which returns false to stop them:
// the display name of a listing needs only the first line.
template <typename Put>
void DecodeUtf16(std::string_view body, bool bigEndian, Put&& put) {
    const std::size_t units = body.size() / 2;  // an odd last byte is no unit
    for (std::size_t i = 0; i < units; ++i) {
        const auto first = static_cast<unsigned char>(body[2 * i]);
        const auto second = static_cast<unsigned char>(body[2 * i + 1]);
        const auto unit = static_cast<unsigned>(bigEndian ? (first << 8 | second) : (second << 8 | first));
        if (!put(static_cast<wchar_t>(unit))) return;
    }
}

// Each malformed sequence, taken as its longest valid start, gives one
// U+FFFD. A byte that cannot continue a sequence is never swallowed by it, so
// CR, LF and NUL bytes always stand for themselves.
template <typename Put>
void DecodeUtf8(std::string_view body, Put&& put) {
    std::size_t at = 0;
    while (at < body.size()) {
        const auto lead = static_cast<unsigned char>(body[at++]);
        if (lead < 0x80) {
            if (!put(static_cast<wchar_t>(lead))) return;
            continue;
        }
        int more = 0;
        std::uint32_t code = 0;
        // The second byte's range also excludes overlong forms, surrogates and values above U+10FFFF.
        unsigned low = 0x80;
        unsigned high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            code = lead & 0x0Fu;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            code = lead & 0x07u;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            if (!put(kReplacement)) return;
            continue;
        }
        for (; more > 0; --more) {
            if (at == body.size()) break;
            const auto next = static_cast<unsigned char>(body[at]);
            if (next < low || next > high) break;
            code = code << 6 | (next & 0x3Fu);
            ++at;
            low = 0x80;
            high = 0xBF;
        }
        if (more > 0) {
            if (!put(kReplacement)) return;
        } else if (code >= 0x10000) {
            code -= 0x10000;
            if (!put(static_cast<wchar_t>(0xD800 + (code >> 10))) || !put(static_cast<wchar_t>(0xDC00 + (code & 0x3FF))))
                return;
        } else if (!put(static_cast<wchar_t>(code))) {
            return;
        }
    }
}

std::wstring DecodeSystemCodePage(std::string_view bytes, const AnsiDecoder& decode) {
    if (decode) return decode(bytes);
    std::wstring text(bytes.size(), L'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [](char c) { return static_cast<wchar_t>(static_cast<unsigned char>(c)); });
    return text;
}

// Takes code units until the first line has ended.
class FirstLineCollector {
public:
    bool operator()(wchar_t c) {
        if (c == L'\0' || EndsLine(c)) {
            ended_ = true;
            endedByNul_ = c == L'\0';
            return false;
        }
        line_.push_back(c);
        return true;
    }

    bool Ended() const noexcept { return ended_; }

    // No line when the text was empty or began with NUL.
    std::optional<std::wstring> Take() && {
        if (line_.empty() && (!ended_ || endedByNul_)) return std::nullopt;
        return std::move(line_);
    }

private:
    std::wstring line_;
    bool ended_ = false;
    bool endedByNul_ = false;
};

std::size_t PastLineEndByte(std::string_view bytes, std::size_t from) noexcept {
    const std::size_t at = bytes.find_first_of(std::string_view("\0\r\n", 3), from);
    return at == std::string_view::npos ? bytes.size() : at + 1;
}

// In the system code page CR, LF and NUL are single bytes, so the first line
// normally ends at the first of them, and only the bytes up to it are decoded.
// A double-byte character may take such a byte as its second half, though;
// then the line goes on, and the next try reads on to the next such byte.
std::optional<std::wstring> SystemCodePageFirstLine(std::string_view bytes, const AnsiDecoder& decode) {
    std::size_t length = PastLineEndByte(bytes, 0);
    for (;;) {
        const std::wstring start = DecodeSystemCodePage(bytes.substr(0, length), decode);
        FirstLineCollector collector;
        for (const wchar_t c : start) {
            if (!collector(c)) break;
        }
        if (collector.Ended() || length == bytes.size()) return std::move(collector).Take();
        // At least twice as far each time keeps a file full of such characters linear.
        length = std::max(PastLineEndByte(bytes, length), std::min(bytes.size(), 2 * length));
    }
}

// Calls visit with each line of a text without NUL until it returns false.
template <typename Visit>
void ForEachLine(std::wstring_view text, Visit&& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && !EndsLine(text[end])) ++end;
        if (!visit(text.substr(start, end - start)) || end == text.size()) return;
        start = end + 1;
        if (text[end] == L'\r' && start < text.size() && text[start] == L'\n') ++start;
    }
}

std::wstring_view UpToNul(std::wstring_view text) noexcept { return text.substr(0, text.find(L'\0')); }

std::uint32_t SimpleLower(wchar_t c) noexcept {
    const auto u = static_cast<std::uint32_t>(c);
    if ((u >= 0x41 && u <= 0x5A) || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return u + 0x20;
    if (u < 0x100 || u > 0x17E) return u;
    if (u == 0x130) return 0x69;                           // I with dot above
    if (u == 0x178) return 0xFF;                           // Y with diaeresis
    if (u == 0x131 || u == 0x138 || u == 0x149) return u;  // small letters without a capital of their own
    // Latin Extended-A pairs capital and small letters: capitals are even up
    // to U+0137 and from U+014A, odd from U+0139 to U+0148 and from U+0179.
    const bool capitalIsOdd = (u >= 0x139 && u <= 0x148) || u >= 0x179;
    return (u % 2 == 1) == capitalIsOdd ? u + 1 : u;
}

}  // namespace

std::wstring DecodeLanguageText(std::string_view bytes, const AnsiDecoder& fromSystemCodePage) {
    const MarkedBytes file = FindMark(bytes);
    std::wstring text;
    const auto append = [&text](wchar_t c) {
        text.push_back(c);
        return true;
    };
    switch (file.encoding) {
        case Encoding::Utf16Le:
        case Encoding::Utf16Be:
            text.reserve(file.body.size() / 2);
            DecodeUtf16(file.body, file.encoding == Encoding::Utf16Be, append);
            break;
        case Encoding::Utf8:
            text.reserve(file.body.size());  // never more units than bytes
            DecodeUtf8(file.body, append);
            break;
        case Encoding::SystemCodePage:
            text = DecodeSystemCodePage(file.body, fromSystemCodePage);
            break;
    }
    return text;
}

std::vector<std::wstring> SplitLanguageLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    ForEachLine(UpToNul(text), [&lines](std::wstring_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

std::optional<std::wstring> LanguageDisplayName(std::string_view bytes, const AnsiDecoder& fromSystemCodePage) {
    const MarkedBytes file = FindMark(bytes);
    FirstLineCollector collector;
    switch (file.encoding) {
        case Encoding::Utf16Le:
        case Encoding::Utf16Be:
            DecodeUtf16(file.body, file.encoding == Encoding::Utf16Be, collector);
            break;
        case Encoding::Utf8:
            DecodeUtf8(file.body, collector);
            break;
        case Encoding::SystemCodePage:
            return SystemCodePageFirstLine(file.body, fromSystemCodePage);
    }
    return std::move(collector).Take();
}

bool KeysEqualSimpleFold(std::wstring_view fileKey, std::wstring_view wanted) noexcept {
    if (fileKey.size() != wanted.size()) return false;
    for (std::size_t i = 0; i < fileKey.size(); ++i) {
        if (SimpleLower(fileKey[i]) != SimpleLower(wanted[i])) return false;
    }
    return true;
}

LanguageText::LanguageText(std::wstring text, KeyEquals keyEquals)
    : text_(std::move(text)), keyEquals_(keyEquals ? std::move(keyEquals) : KeyEquals(KeysEqualSimpleFold)) {
    text_.resize(UpToNul(text_).size());
}

LanguageText LanguageText::FromBytes(std::string_view bytes, const AnsiDecoder& fromSystemCodePage,
                                     KeyEquals keyEquals) {
    return LanguageText(DecodeLanguageText(bytes, fromSystemCodePage), std::move(keyEquals));
}

std::optional<std::wstring> LanguageText::DisplayName() const {
    std::optional<std::wstring> name;
    ForEachLine(text_, [&name](std::wstring_view line) {
        name.emplace(line);
        return false;
    });
    return name;
}

std::optional<std::wstring> LanguageText::Value(std::wstring_view key) const {
    std::optional<std::wstring> value;
    ForEachLine(text_, [&](std::wstring_view line) {
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos || !keyEquals_(line.substr(0, equals), key)) return true;
        // The first line with the key decides, even when its value is empty.
        if (equals + 1 < line.size()) value.emplace(line.substr(equals + 1));
        return false;
    });
    return value;
}

std::vector<std::optional<std::wstring>> LanguageText::Values(std::span<const std::wstring_view> keys) const {
    std::vector<std::optional<std::wstring>> values(keys.size());
    std::vector<bool> decided(keys.size(), false);
    std::size_t open = keys.size();
    ForEachLine(text_, [&](std::wstring_view line) {
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) return true;
        const std::wstring_view lineKey = line.substr(0, equals);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (decided[i] || !keyEquals_(lineKey, keys[i])) continue;
            decided[i] = true;
            --open;
            if (equals + 1 < line.size()) values[i].emplace(line.substr(equals + 1));
        }
        return open > 0;
    });
    return values;
}

}  // namespace settings
