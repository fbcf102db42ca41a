#include "platform/Clipboard.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/TextSize.h"

namespace platform {

namespace {

// Registered formats that clipboard managers and password managers use to
// keep secrets out of clipboard monitors.
UINT ExcludeFormat() {
    static const UINT format = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
    return format;
}
UINT HistoryFormat() {
    static const UINT format = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
    return format;
}
// Linux password managers mark a copied secret with this X target holding
// "secret"; Wine hands it on as a registered format of the same name.
UINT PasswordHintFormat() {
    static const UINT format = RegisterClipboardFormatA("x-kde-passwordManagerHint");
    return format;
}

// The formats on the clipboard, asked for once: each IsClipboardFormatAvailable
// is a trip to the server, and a copy's clip waits for every one.
class Formats {
public:
    Formats() {
        std::array<UINT, 64> formats{};
        UINT count = 0;
        listed_ = GetUpdatedClipboardFormats(formats.data(), static_cast<UINT>(formats.size()), &count) != 0;
        if (listed_) formats_.assign(formats.begin(), formats.begin() + std::min<size_t>(count, formats.size()));
    }
    // Asks the system itself when the list could not be had (more formats than fit).
    bool Has(UINT format) const {
        if (!listed_) return IsClipboardFormatAvailable(format) != 0;
        return std::find(formats_.begin(), formats_.end(), format) != formats_.end();
    }
    // Either text format: the system makes each from the other.
    bool HasText() const { return Has(CF_TEXT) || Has(CF_UNICODETEXT) || Has(CF_OEMTEXT); }

private:
    bool listed_ = false;
    std::vector<UINT> formats_;
};

// A mark that is listed but cannot be read counts as set: a secret is kept
// out on doubt, never shown because its mark was damaged or withdrawn.
bool MarkedSecret(const Formats& formats) {
    if (!formats.Has(PasswordHintFormat())) return false;
    const HANDLE data = GetClipboardData(PasswordHintFormat());
    if (!data) return true;
    const auto* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) return true;
    std::string_view hint(bytes, GlobalSize(data));
    while (!hint.empty() && (hint.back() == '\0' || hint.back() == '\n' || hint.back() == ' ')) hint.remove_suffix(1);
    // A value cut short ("", "sec") is read as the mark it began.
    const bool secret = std::string_view("secret").starts_with(hint);
    GlobalUnlock(data);
    return secret;
}

// The ANSI code page of the input language the text was copied in: Windows
// converts between the two text formats with it, not with the system's.
// Asked for directly, not through the list: the system may make CF_LOCALE
// itself for a text placed without one.
unsigned TextCodePage() {
    const HANDLE data = GetClipboardData(CF_LOCALE);
    if (!data || GlobalSize(data) < sizeof(LCID)) return kSystemCodePage;
    const auto* locale = static_cast<const LCID*>(GlobalLock(data));
    if (!locale) return kSystemCodePage;
    DWORD codePage = 0;
    const bool found = GetLocaleInfoW(*locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                      reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR)) != 0;
    GlobalUnlock(data);
    // A locale with no ANSI code page of its own (code page 0) uses the system's.
    return found && codePage != 0 ? static_cast<unsigned>(codePage) : kSystemCodePage;
}

// Only a readable DWORD other than 0 allows history; as with the hint, an
// unreadable or short value counts as a refusal.
bool HistoryForbidden(const Formats& formats) {
    if (!formats.Has(HistoryFormat())) return false;
    const HANDLE data = GetClipboardData(HistoryFormat());
    if (!data || GlobalSize(data) < sizeof(DWORD)) return true;
    const auto* value = static_cast<const DWORD*>(GlobalLock(data));
    if (!value) return true;
    const bool forbidden = *value == 0;
    GlobalUnlock(data);
    return forbidden;
}

// Formats are listed in the order they were placed, converted ones last.
UINT PlacedTextFormat() {
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        if (format == CF_UNICODETEXT || format == CF_TEXT) return format;
    }
    return CF_TEXT;
}

// Whether the text in a block takes more than `limit` bytes in the code page.
bool OverLimit(std::string_view block, unsigned, long long limit) {
    return MeasureAnsiText(block, limit).verdict == SizeVerdict::Over;
}
bool OverLimit(std::wstring_view block, unsigned codePage, long long limit) {
    CPINFO info{};
    const unsigned widest = GetCPInfo(codePage, &info) ? info.MaxCharSize : 4;
    const TextSize size = MeasureWideText(block, widest, limit);
    if (size.verdict != SizeVerdict::Unsettled) return size.verdict == SizeVerdict::Over;
    // At most about twice the limit: counted, not converted.
    return WideCharToMultiByte(codePage, 0, block.data(), static_cast<int>(size.units), nullptr, 0, nullptr, nullptr) >
           limit;
}

// The text in one format, up to its first NUL; none when a size limit is
// given and the text is over it, told from its block without copying it.
template <typename Char>
std::optional<std::basic_string<Char>> ReadText(UINT format, unsigned codePage, std::optional<long long> sizeLimit) {
    const HANDLE data = GetClipboardData(format);
    // Another change may have emptied the clipboard meanwhile.
    if (!data) throw Error(L"Cannot read the clipboard text");
    const auto* chars = static_cast<const Char*>(GlobalLock(data));
    if (!chars) throw Error(L"Cannot read the clipboard text");
    // Never read past the block, even when the text lacks its terminator.
    const std::basic_string_view<Char> block(chars, GlobalSize(data) / sizeof(Char));
    std::optional<std::basic_string<Char>> text;
    if (!sizeLimit || !OverLimit(block, codePage, *sizeLimit)) text.emplace(block.substr(0, block.find(Char{})));
    GlobalUnlock(data);
    return text;
}

}  // namespace

ClipboardLock::ClipboardLock(HWND owner) noexcept : opened_(OpenClipboard(owner) != FALSE) {}

ClipboardLock::~ClipboardLock() {
    if (opened_) CloseClipboard();
}

ClipboardSnapshot ReadClipboardSnapshot(HWND owner, std::optional<long long> sizeLimit) {
    ClipboardSnapshot snapshot;
    {
        const Formats before;
        const bool mayBeExcluded =
            before.Has(ExcludeFormat()) || before.Has(HistoryFormat()) || before.Has(PasswordHintFormat());
        if (!before.HasText() && !mayBeExcluded) return snapshot;
    }
    ClipboardLock lock(owner);
    if (!lock.Opened()) {
        snapshot.held = true;
        return snapshot;
    }
    // Asked again: the clipboard may have changed before it was opened.
    const Formats formats;
    if (formats.Has(ExcludeFormat()) || HistoryForbidden(formats) || MarkedSecret(formats)) {
        snapshot.excluded = true;
        return snapshot;
    }
    if (!formats.HasText()) return snapshot;
    // Read the text format the copying program placed and make the other
    // from it as the system would: under Wine each read of a converted
    // format leaks its copy, and one read serves both texts.
    const unsigned codePage = TextCodePage();
    if (PlacedTextFormat() == CF_UNICODETEXT) {
        snapshot.wideText = ReadText<wchar_t>(CF_UNICODETEXT, codePage, sizeLimit);
        if (snapshot.wideText) snapshot.text = WideToAnsi(*snapshot.wideText, codePage);
    } else {
        snapshot.text = ReadText<char>(CF_TEXT, codePage, sizeLimit);
        if (snapshot.text) snapshot.wideText = AnsiToWide(*snapshot.text, codePage);
    }
    snapshot.tooLarge = !snapshot.text;
    return snapshot;
}

void WriteClipboardText(HWND owner, std::wstring_view text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* chars = block ? static_cast<wchar_t*>(GlobalLock(block)) : nullptr;
    if (!chars) {
        if (block) GlobalFree(block);
        throw Error(L"Cannot put the text on the clipboard");
    }
    std::copy(text.begin(), text.end(), chars);
    chars[text.size()] = L'\0';
    GlobalUnlock(block);
    const ClipboardLock lock(owner);
    // Once set, the block is the system's.
    if (!lock.Opened() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, block)) {
        GlobalFree(block);
        throw Error(L"Cannot put the text on the clipboard");
    }
}

}  // namespace platform
