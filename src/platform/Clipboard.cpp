#include "platform/Clipboard.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "platform/ClipboardBytes.h"
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

// A text of this size has its clipboard block copied into the program's
// memory by Wine, where it stays until the clipboard is opened again.
constexpr std::size_t kLargeBlockBytes = std::size_t{1} << 20;

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
    bool MayBeSecret() const { return Has(ExcludeFormat()) || Has(HistoryFormat()) || Has(PasswordHintFormat()); }

private:
    bool listed_ = false;
    std::vector<UINT> formats_;
};

// A format's data, locked for as long as the object lives, so that no error
// on the way leaves it locked.
class LockedData {
public:
    explicit LockedData(UINT format) noexcept : data_(GetClipboardData(format)) {
        bytes_ = data_ ? static_cast<const char*>(GlobalLock(data_)) : nullptr;
        size_ = bytes_ ? GlobalSize(data_) : 0;
    }
    ~LockedData() {
        if (bytes_) GlobalUnlock(data_);
    }
    LockedData(const LockedData&) = delete;
    LockedData& operator=(const LockedData&) = delete;
    // None when the format promised has no data, or it cannot be locked.
    std::optional<std::string_view> Bytes() const noexcept {
        if (!bytes_) return std::nullopt;
        return std::string_view(bytes_, size_);
    }
    template <typename Char>
    std::basic_string_view<Char> Units() const noexcept {
        return {reinterpret_cast<const Char*>(bytes_), size_ / sizeof(Char)};
    }

private:
    HANDLE data_ = nullptr;
    const char* bytes_ = nullptr;
    std::size_t size_ = 0;
};

bool MarkedSecret(const Formats& formats) {
    if (formats.Has(ExcludeFormat())) return true;
    if (formats.Has(HistoryFormat()) && HistoryForbidden(LockedData(HistoryFormat()).Bytes())) return true;
    return formats.Has(PasswordHintFormat()) && HintMarksSecret(LockedData(PasswordHintFormat()).Bytes());
}

// The ANSI code page of the input language the text was copied in: Windows
// converts between the two text formats with it, not with the system's.
// Asked for directly, not through the list: the system may make CF_LOCALE
// itself for a text placed without one.
unsigned TextCodePage() {
    const std::optional<std::string_view> block = LockedData(CF_LOCALE).Bytes();
    const std::optional<std::uint32_t> locale = block ? LocaleInBlock(*block) : std::nullopt;
    if (!locale) return kSystemCodePage;
    DWORD codePage = 0;
    const bool found = GetLocaleInfoW(*locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                      reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR)) != 0;
    // A locale with no ANSI code page of its own (code page 0) uses the system's.
    return found && codePage != 0 ? static_cast<unsigned>(codePage) : kSystemCodePage;
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

// The text taken out of its block while the clipboard is open: copied, not converted.
struct TakenText {
    UINT format = CF_TEXT;
    unsigned codePage = kSystemCodePage;
    CompactText wide;   // CF_UNICODETEXT
    std::string ansi;   // CF_TEXT
    std::size_t blockBytes = 0;
};

// Reads while the clipboard is open; the text, if it was not too large.
std::optional<TakenText> TakeText(ClipboardRead& read, std::optional<long long> sizeLimit) {
    // Asked again: the clipboard may have changed before it was opened.
    const Formats formats;
    if (MarkedSecret(formats)) {
        read.excluded = true;
        return std::nullopt;
    }
    if (!formats.HasText()) return std::nullopt;
    // Read the text format the copying program placed and make the other
    // from it as the system would: under Wine each read of a converted
    // format leaks its copy, and one read serves both texts.
    TakenText taken;
    taken.codePage = TextCodePage();
    taken.format = PlacedTextFormat();
    const LockedData data(taken.format);
    // Another change may have emptied the clipboard meanwhile.
    if (!data.Bytes()) {
        read.status = ReadStatus::Failed;
        read.error = GetLastError();
        return std::nullopt;
    }
    taken.blockBytes = data.Bytes()->size();
    if (taken.format == CF_UNICODETEXT) {
        const std::wstring_view block = data.Units<wchar_t>();
        read.tooLarge = sizeLimit && OverLimit(block, taken.codePage, *sizeLimit);
        if (!read.tooLarge) taken.wide = CompactText(TextInBlock(block));
    } else {
        const std::string_view block = data.Units<char>();
        read.tooLarge = sizeLimit && OverLimit(block, taken.codePage, *sizeLimit);
        if (!read.tooLarge) taken.ansi = std::string(TextInBlock(block));
    }
    if (read.tooLarge) return std::nullopt;
    return taken;
}

}  // namespace

ClipboardLock::ClipboardLock(HWND owner) noexcept : opened_(OpenClipboard(owner) != FALSE) {}

void ClipboardLock::Close() noexcept {
    if (opened_) CloseClipboard();
    opened_ = false;
}

ClipboardRead ReadClipboard(HWND owner, std::optional<long long> sizeLimit) {
    ClipboardRead read;
    {
        // The number comes before the look, which is made with the clipboard
        // closed: a copy that ends after the look (one may be half done, its
        // clipboard emptied and not yet filled) moves the number past this
        // one, and is read. Taken after, it would mark that copy as read.
        const std::uint32_t sequence = GetClipboardSequenceNumber();
        const Formats before;
        if (!before.HasText() && !before.MayBeSecret()) {
            read.sequence = sequence;
            return read;
        }
    }
    std::optional<TakenText> taken;
    try {
        ClipboardLock lock(owner);
        if (!lock.Opened()) {
            read.status = ReadStatus::Held;
            read.error = GetLastError();
            return read;
        }
        taken = TakeText(read, sizeLimit);
        // Taken while the clipboard is still held: nobody can change it
        // meanwhile, and a render the read asked for has moved it already.
        read.sequence = GetClipboardSequenceNumber();
        lock.Close();
        if (taken && taken->blockBytes >= kLargeBlockBytes) {
            // Under Wine the copy of the block stays in this process until
            // the clipboard is opened again: open it once more, so that the
            // text is not held twice.
            ClipboardLock(owner).Close();
        }
        if (!taken) return read;
        ClipboardText text;
        text.codePage = taken->codePage;
        if (taken->format == CF_UNICODETEXT) {
            text.ansiBytes = AnsiLength(taken->wide, taken->codePage);
            text.text = std::move(taken->wide);
        } else {
            text.text = AnsiToCompact(taken->ansi, taken->codePage);
            text.ansiBytes = taken->ansi.size();
            text.ansi = std::move(taken->ansi);
        }
        read.text = std::move(text);
    } catch (const std::bad_alloc&) {
        read = ClipboardRead{};
        read.status = ReadStatus::OutOfMemory;
        read.error = ERROR_NOT_ENOUGH_MEMORY;
    }
    return read;
}

bool ForEachMemoPiece(const ClipboardText& text, const std::function<bool(std::wstring_view)>& each) {
    if (text.ansi) return ForEachWidePiece(*text.ansi, kSystemCodePage, each);
    return ForEachRoundTripPiece(text.text, text.codePage, kSystemCodePage, each);
}

ClipboardTextBlock::ClipboardTextBlock(const CompactText& whole) {
    Allocate(whole.size());
    auto* units = static_cast<wchar_t*>(GlobalLock(block_));
    whole.CopyTo(0, whole.size(), units);
    units[whole.size()] = L'\0';
    GlobalUnlock(block_);
}

ClipboardTextBlock::ClipboardTextBlock(std::wstring_view text) {
    Allocate(text.size());
    auto* units = static_cast<wchar_t*>(GlobalLock(block_));
    std::copy(text.begin(), text.end(), units);
    units[text.size()] = L'\0';
    GlobalUnlock(block_);
}

void ClipboardTextBlock::Allocate(std::size_t units) {
    block_ = GlobalAlloc(GMEM_MOVEABLE, (units + 1) * sizeof(wchar_t));
    if (!block_ || !GlobalLock(block_)) {
        if (block_) GlobalFree(block_);
        block_ = nullptr;
        throw std::bad_alloc();
    }
    GlobalUnlock(block_);
}

ClipboardTextBlock::~ClipboardTextBlock() {
    if (block_) GlobalFree(block_);
}

WriteOutcome ClipboardTextBlock::Place(HWND owner, const std::function<void(bool before)>& aroundWrite) {
    // Not while the clipboard is open: leaving the chain waits on the first
    // viewer, which may want the clipboard itself.
    if (aroundWrite) aroundWrite(true);
    WriteOutcome outcome = WriteOutcome::Held;
    if (ClipboardLock lock(owner); lock.Opened()) {
        outcome = WriteOutcome::Failed;
        if (EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block_)) {
            block_ = nullptr;  // the system's now
            outcome = WriteOutcome::Written;
        }
    }
    if (aroundWrite) aroundWrite(false);
    return outcome;
}

}  // namespace platform
