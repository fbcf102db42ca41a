#include "platform/Text.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

// Large enough to cost nothing per piece, small enough to cost nothing beside a text of megabytes.
constexpr std::size_t kPieceUnits = 1 << 16;

int Narrow(std::size_t size) { return static_cast<int>(std::min<std::size_t>(size, 0x7FFFFFFF)); }

}  // namespace

std::wstring AnsiToWide(std::string_view text, unsigned codePage) {
    if (text.empty()) return {};
    const int size = Narrow(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(std::max(needed, 0)), L'\0');
    if (needed > 0) MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), needed);
    return out;
}

std::size_t AnsiToWideLength(std::string_view text, unsigned codePage) {
    if (text.empty()) return 0;
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), Narrow(text.size()), nullptr, 0);
    return needed > 0 ? static_cast<std::size_t>(needed) : 0;
}

std::string WideToAnsi(std::wstring_view text, unsigned codePage) {
    if (text.empty()) return {};
    const int size = Narrow(text.size());
    const int needed = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(needed, 0)), '\0');
    if (needed > 0) WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), needed, nullptr, nullptr);
    return out;
}

std::wstring FormatCount(std::size_t count) {
    const std::wstring digits = std::to_wstring(count);
    NUMBERFMTW format{};
    wchar_t decimal[8] = L".";
    wchar_t thousand[8] = L",";
    wchar_t grouping[16] = L"3;0";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 8);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SGROUPING, grouping, 16);
    // "3;0" is groups of three; "3;2;0" (India) would need more than one figure here.
    format.Grouping = static_cast<UINT>(grouping[0] >= L'0' && grouping[0] <= L'9' ? grouping[0] - L'0' : 3);
    format.lpDecimalSep = decimal;
    format.lpThousandSep = thousand;
    wchar_t out[64] = {};
    if (GetNumberFormatW(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, out, 64) <= 0) return digits;
    return out;
}

CodePageFacts FactsOf(unsigned codePage) {
    CodePageFacts facts;
    const unsigned actual = codePage == CP_ACP ? GetACP() : codePage;
    facts.utf8 = actual == CP_UTF8;
    CPINFO info{};
    if (facts.utf8 || !GetCPInfo(actual, &info)) return facts;
    for (std::size_t i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (unsigned byte = info.LeadByte[i]; byte <= info.LeadByte[i + 1] && byte < 256; ++byte) facts.leadByte[byte] = true;
    }
    return facts;
}

bool ForEachWidePiece(std::string_view text, unsigned codePage, const std::function<bool(std::wstring_view)>& each) {
    const CodePageFacts facts = FactsOf(codePage);
    while (!text.empty()) {
        const std::size_t end = AnsiPieceEnd(text, kPieceUnits, facts);
        if (!each(AnsiToWide(text.substr(0, end), codePage))) return false;
        text.remove_prefix(end);
    }
    return true;
}

CompactText AnsiToCompact(std::string_view text, unsigned codePage) {
    CompactText compact;
    ForEachWidePiece(text, codePage, [&](std::wstring_view piece) {
        compact.Append(piece);
        return true;
    });
    return compact;
}

std::size_t AnsiLength(const CompactText& text, unsigned codePage) {
    // ASCII takes one byte a character in every ANSI code page.
    bool ascii = true;
    for (std::size_t i = 0; i < text.size() && ascii; ++i) ascii = static_cast<unsigned>(text[i]) < 0x80;
    if (ascii) return text.size();
    std::size_t bytes = 0;
    std::vector<wchar_t> piece(std::min(kPieceUnits, text.size()));
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t count = std::min(kPieceUnits, text.size() - from);
        text.CopyTo(from, count, piece.data());
        const std::size_t end = WidePieceEnd(std::wstring_view(piece.data(), count), count < kPieceUnits ? count : count - 1);
        bytes += static_cast<std::size_t>(std::max(
            WideCharToMultiByte(codePage, 0, piece.data(), Narrow(end), nullptr, 0, nullptr, nullptr), 0));
        from += end;
    }
    return bytes;
}

bool ForEachRoundTripPiece(const CompactText& text, unsigned from, unsigned to,
                           const std::function<bool(std::wstring_view)>& each) {
    const CodePageFacts readBack = FactsOf(to);
    // No bigger than the text: each copy's preview and repeat test pass
    // here, and a piece's buffer of 128 KB cost them more than the text did.
    std::vector<wchar_t> piece(std::min(kPieceUnits, text.size()));
    std::string bytes;  // converted, not yet read back: never a cut character
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t count = std::min(kPieceUnits, text.size() - at);
        text.CopyTo(at, count, piece.data());
        const bool last = at + count == text.size();
        const std::size_t end = WidePieceEnd(std::wstring_view(piece.data(), count), last ? count : count - 1);
        bytes += WideToAnsi(std::wstring_view(piece.data(), end), from);
        at += end;
        // Keep the last character for the next round unless this was the end:
        // a lead byte's trail may still come.
        std::size_t ready = bytes.size();
        if (at < text.size()) ready = bytes.size() < 2 ? 0 : AnsiPieceEnd(bytes, bytes.size() - 1, readBack);
        if (ready > 0 && !each(AnsiToWide(std::string_view(bytes).substr(0, ready), to))) return false;
        bytes.erase(0, ready);
    }
    return bytes.empty() || each(AnsiToWide(bytes, to));
}

}  // namespace platform
