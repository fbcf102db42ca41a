#pragma once
// The font name picker's data and rules, free of the window system: the
// process-wide table of font families with their flag words, the font classes
// the filters test, the two name lists, and where an entry's mark and text go.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace widgets {

// ------------------------------------------------------------------ flag word

// Bits 0-2 hold the font type the enumeration reported.
constexpr std::uint32_t kRasterFontType = 1;
constexpr std::uint32_t kDeviceFontType = 2;
constexpr std::uint32_t kTrueTypeFontType = 4;
constexpr std::uint32_t kFontTypeMask = 7;
constexpr std::uint32_t kVectorFlag = 0x200;
constexpr std::uint32_t kFixedPitchFlag = 0x400;
constexpr std::uint32_t kPrinterOnlyFlag = 0x800;
constexpr std::uint32_t kCharSetMask = 0x00FF0000;
constexpr int kCharSetShift = 16;
constexpr std::uint32_t kOnPrinterFlag = 0x80000000;

constexpr int kSymbolCharSet = 2;
constexpr int kShiftJisCharSet = 128;

// The flag word of one enumerated font. pitchAndFamily is the text metric's
// byte, where a set TMPF_FIXED_PITCH (1) bit means variable pitch and
// TMPF_VECTOR is 2.
std::uint32_t FontFlags(std::uint32_t fontType, std::uint8_t pitchAndFamily, std::uint8_t charSet) noexcept;
constexpr int FlagCharSet(std::uint32_t flags) noexcept {
    return static_cast<int>((flags & kCharSetMask) >> kCharSetShift);
}

// ------------------------------------------------------------------- classes

enum FontNameFilter : unsigned {
    fnfDevice,
    fnfVector,
    fnfRaster,
    fnfTrueType,
    fnfPrinter,
    fnfSymbolFont,
    fnfJapanese,
    fnfFixedPitch,
    fnfLyingFont,
};
constexpr unsigned kFontNameFilterCount = 9;

enum FontIconPriority { fipTrueType, fipPrinter };

// A set of font classes.
class FontNameFilters {
public:
    constexpr FontNameFilters() noexcept = default;
    constexpr FontNameFilters(std::initializer_list<FontNameFilter> members) noexcept {
        for (const FontNameFilter member : members) bits_ |= Bit(member);
    }
    static constexpr FontNameFilters FromBits(std::uint32_t bits) noexcept {
        FontNameFilters set;
        set.bits_ = bits & ((1u << kFontNameFilterCount) - 1);
        return set;
    }
    constexpr std::uint32_t Bits() const noexcept { return bits_; }
    constexpr bool Contains(FontNameFilter member) const noexcept { return (bits_ & Bit(member)) != 0; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr FontNameFilters& Include(FontNameFilter member) noexcept {
        bits_ |= Bit(member);
        return *this;
    }
    constexpr FontNameFilters& Exclude(FontNameFilter member) noexcept {
        bits_ &= ~Bit(member);
        return *this;
    }
    constexpr FontNameFilters operator&(FontNameFilters other) const noexcept { return FromBits(bits_ & other.bits_); }
    constexpr FontNameFilters operator|(FontNameFilters other) const noexcept { return FromBits(bits_ | other.bits_); }
    constexpr FontNameFilters operator-(FontNameFilters other) const noexcept { return FromBits(bits_ & ~other.bits_); }
    // Every member of other is in this set.
    constexpr bool Covers(FontNameFilters other) const noexcept { return (other.bits_ & ~bits_) == 0; }
    friend constexpr bool operator==(FontNameFilters, FontNameFilters) noexcept = default;

private:
    static constexpr std::uint32_t Bit(FontNameFilter member) noexcept { return 1u << static_cast<unsigned>(member); }
    std::uint32_t bits_ = 0;
};

constexpr FontNameFilters kFontTypeFilters{fnfDevice, fnfVector, fnfRaster, fnfTrueType};
constexpr FontNameFilters kAttributeFilters{fnfPrinter, fnfSymbolFont, fnfJapanese, fnfFixedPitch, fnfLyingFont};
constexpr FontNameFilters kDefaultCollectFilters =
    (kFontTypeFilters | kAttributeFilters) - FontNameFilters{fnfLyingFont};

// ---------------------------------------------------------------- font table

struct FontEntry {
    std::wstring name;
    std::uint32_t flags = 0;
    friend bool operator==(const FontEntry&, const FontEntry&) = default;
};

// Orders two names ignoring case: below zero, zero or above zero. The program
// passes the user locale's comparison; tests pass CompareNamesAscii.
using NameCompare = int (*)(std::wstring_view, std::wstring_view);
int CompareNamesAscii(std::wstring_view a, std::wstring_view b) noexcept;

// Every class the entry belongs to; fnfPrinter here means "available on the
// printer", as the marks use it.
FontNameFilters FontClasses(const FontEntry& entry) noexcept;

// Collects one pass of the enumeration. The enumeration reports a family once
// per character set, one after the other; the repeats are folded into the
// first report.
class FontPass {
public:
    explicit FontPass(NameCompare compare) noexcept : compare_(compare) {}
    void Add(std::wstring name, std::uint32_t flags);
    // Sorted by name; repeats the enumeration did not report one after the
    // other are folded here too, the first report winning.
    std::vector<FontEntry> Finish() &&;

private:
    NameCompare compare_;
    std::vector<FontEntry> entries_;
};

// Sorts by name (stable, so that equal names keep their report order) and
// folds equal names into the first.
void SortAndFold(std::vector<FontEntry>& entries, NameCompare compare);

// Merges the default printer's sorted families into the sorted screen table:
// a family on both gains the printer's type bits and bit 31; a printer-only
// family is inserted in order with bits 31 and 11. The screen's character set
// stays: OR-ing two character-set numbers would name a third, unrelated set.
void MergePrinterFamilies(std::vector<FontEntry>& table, const std::vector<FontEntry>& printer, NameCompare compare);

// ------------------------------------------------------------------- filters

struct FontFilterSettings {
    FontNameFilters collect = kDefaultCollectFilters;
    FontNameFilters exclusive;
    const std::vector<std::wstring>* visible = nullptr;
    const std::vector<std::wstring>* invisible = nullptr;
    NameCompare compare = CompareNamesAscii;
};

// Whether the classes and the attributes let the entry through, before the
// name lists are looked at.
bool PassesFilters(const FontEntry& entry, FontNameFilters collect, FontNameFilters exclusive) noexcept;
bool IsOffered(const FontEntry& entry, const FontFilterSettings& settings);
std::vector<FontEntry> OfferedFonts(const std::vector<FontEntry>& table, const FontFilterSettings& settings);

// The ExclusiveFilters setter's rule: the first font type the new set adds to
// the current one (device, vector, raster, TrueType) becomes its only type.
FontNameFilters NextExclusiveFilters(FontNameFilters current, FontNameFilters requested) noexcept;

bool ContainsName(const std::vector<std::wstring>& names, std::wstring_view name, NameCompare compare);

// VisibleFontNames and InvisibleFontNames: a name is in one list at most,
// the one changed last.
class FontNameLists {
public:
    explicit FontNameLists(NameCompare compare = CompareNamesAscii) noexcept : compare_(compare) {}
    void SetCompare(NameCompare compare) noexcept { compare_ = compare; }
    const std::vector<std::wstring>& Visible() const noexcept { return visible_; }
    const std::vector<std::wstring>& Invisible() const noexcept { return invisible_; }
    // False, and nothing changes, when the list equals the current one.
    bool SetVisible(std::vector<std::wstring> names);
    bool SetInvisible(std::vector<std::wstring> names);

private:
    NameCompare compare_;
    std::vector<std::wstring> visible_;
    std::vector<std::wstring> invisible_;
};

// ------------------------------------------------------------------- drawing

enum class FontMark { None, TrueType, Printer };

// Which mark an entry shows: with fipTrueType the TrueType mark before the
// printer mark, with fipPrinter the other way round; each only when its class
// is also collected.
FontMark ChooseFontMark(std::uint32_t flags, FontNameFilters collect, FontIconPriority priority) noexcept;

struct FontItemLayout {
    FontMark mark = FontMark::None;
    int markX = 0;
    int markY = 0;
    int textLeft = 0;
};

// The mark sits 2 pixels in, centred in height; the text starts 20 pixels in
// when marks are shown (with a mark or without), else 2 pixels in.
FontItemLayout LayoutFontItem(int left, int top, int bottom, int imageHeight, bool iconVisible, FontMark mark) noexcept;

}  // namespace widgets
