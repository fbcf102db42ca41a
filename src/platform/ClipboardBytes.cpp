#include "platform/ClipboardBytes.h"

#include <algorithm>

namespace platform {

namespace {

std::uint32_t LittleEndian32(std::string_view bytes) noexcept {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

bool IsContinuation(char byte) noexcept { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::optional<std::uint32_t> LocaleInBlock(std::string_view block) noexcept {
    if (block.size() < 4) return std::nullopt;
    return LittleEndian32(block);
}

bool HintMarksSecret(std::optional<std::string_view> data) noexcept {
    if (!data) return true;
    std::string_view hint = *data;
    while (!hint.empty() && (hint.back() == '\0' || hint.back() == '\n' || hint.back() == ' ')) hint.remove_suffix(1);
    return std::string_view("secret").starts_with(hint);
}

bool HistoryForbidden(std::optional<std::string_view> data) noexcept {
    return !data || data->size() < 4 || LittleEndian32(*data) == 0;
}

std::size_t AnsiPieceEnd(std::string_view bytes, std::size_t limit, const CodePageFacts& codePage) noexcept {
    if (bytes.size() <= limit) return bytes.size();
    limit = std::max<std::size_t>(limit, 1);
    if (codePage.utf8) {
        // A cut before a byte that begins a character changes no decoding,
        // however malformed the text around it is.
        for (std::size_t end = limit; end + 4 > limit && end > 0; --end) {
            if (!IsContinuation(bytes[end])) return end;
        }
        return limit;
    }
    const bool doubleByte = std::any_of(codePage.leadByte.begin(), codePage.leadByte.end(), [](bool lead) { return lead; });
    if (!doubleByte) return limit;
    // Only a walk from the start tells a lead byte from a trail byte of the same value.
    std::size_t end = 0;
    while (end < bytes.size()) {
        const std::size_t length = codePage.leadByte[static_cast<unsigned char>(bytes[end])] ? 2 : 1;
        if (end + length > limit) break;
        end += length;
    }
    return end > 0 ? end : std::min<std::size_t>(2, bytes.size());
}

std::size_t WidePieceEnd(std::wstring_view units, std::size_t limit) noexcept {
    if (units.size() <= limit) return units.size();
    limit = std::max<std::size_t>(limit, 2);
    const auto unit = static_cast<unsigned>(units[limit - 1]);
    // A high surrogate at the end would lose its low half to the next piece.
    return unit >= 0xD800 && unit <= 0xDBFF ? limit - 1 : limit;
}

}  // namespace platform
