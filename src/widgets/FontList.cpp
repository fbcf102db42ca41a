#include "widgets/FontList.h"

#include <algorithm>
#include <utility>

namespace widgets {

namespace {
constexpr std::uint8_t kPitchVariable = 1;  // TMPF_FIXED_PITCH: set means variable pitch
constexpr std::uint8_t kPitchVector = 2;    // TMPF_VECTOR

constexpr wchar_t FoldAscii(wchar_t ch) noexcept {
    return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}
}  // namespace

std::uint32_t FontFlags(std::uint32_t fontType, std::uint8_t pitchAndFamily, std::uint8_t charSet) noexcept {
    const std::uint32_t type = fontType & kFontTypeMask;
    std::uint32_t flags = type | (static_cast<std::uint32_t>(charSet) << kCharSetShift);
    if (!(pitchAndFamily & kPitchVariable)) flags |= kFixedPitchFlag;
    if ((pitchAndFamily & kPitchVector) && type == 0) flags |= kVectorFlag;
    return flags;
}

int CompareNamesAscii(std::wstring_view a, std::wstring_view b) noexcept {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const wchar_t x = FoldAscii(a[i]);
        const wchar_t y = FoldAscii(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

FontNameFilters FontClasses(const FontEntry& entry) noexcept {
    FontNameFilters classes;
    const std::uint32_t flags = entry.flags;
    if (flags & kDeviceFontType) classes.Include(fnfDevice);
    if (flags & kVectorFlag) classes.Include(fnfVector);
    if (flags & kRasterFontType) classes.Include(fnfRaster);
    if (flags & kTrueTypeFontType) classes.Include(fnfTrueType);
    if (flags & kOnPrinterFlag) classes.Include(fnfPrinter);
    const int charSet = FlagCharSet(flags);
    if (charSet == kSymbolCharSet) classes.Include(fnfSymbolFont);
    if (charSet == kShiftJisCharSet) classes.Include(fnfJapanese);
    if (flags & kFixedPitchFlag) classes.Include(fnfFixedPitch);
    if (!entry.name.empty() && entry.name.front() == L'@') classes.Include(fnfLyingFont);
    return classes;
}

// ---------------------------------------------------------------- font table

void FontPass::Add(std::wstring name, std::uint32_t flags) {
    if (!entries_.empty() && compare_(entries_.back().name, name) == 0) return;
    entries_.push_back({std::move(name), flags});
}

std::vector<FontEntry> FontPass::Finish() && {
    SortAndFold(entries_, compare_);
    return std::move(entries_);
}

void SortAndFold(std::vector<FontEntry>& entries, NameCompare compare) {
    std::stable_sort(entries.begin(), entries.end(),
                     [compare](const FontEntry& a, const FontEntry& b) { return compare(a.name, b.name) < 0; });
    const auto end = std::unique(entries.begin(), entries.end(), [compare](const FontEntry& a, const FontEntry& b) {
        return compare(a.name, b.name) == 0;
    });
    entries.erase(end, entries.end());
}

void MergePrinterFamilies(std::vector<FontEntry>& table, const std::vector<FontEntry>& printer, NameCompare compare) {
    const auto before = [compare](const FontEntry& entry, const std::wstring& name) {
        return compare(entry.name, name) < 0;
    };
    for (const FontEntry& family : printer) {
        const std::uint32_t word = family.flags | kOnPrinterFlag;
        const auto at = std::lower_bound(table.begin(), table.end(), family.name, before);
        if (at != table.end() && compare(at->name, family.name) == 0) {
            at->flags |= word & ~kCharSetMask;
        } else {
            table.insert(at, {family.name, word | kPrinterOnlyFlag});
        }
    }
}

// ------------------------------------------------------------------- filters

bool PassesFilters(const FontEntry& entry, FontNameFilters collect, FontNameFilters exclusive) noexcept {
    FontNameFilters classes = FontClasses(entry);
    // Being on the printer too is no reason to hide a screen family.
    if (!(entry.flags & kPrinterOnlyFlag)) classes.Exclude(fnfPrinter);
    if (!collect.Covers(classes & kAttributeFilters)) return false;
    if ((classes & kFontTypeFilters & collect).Empty()) return false;
    return classes.Covers(exclusive);
}

bool ContainsName(const std::vector<std::wstring>& names, std::wstring_view name, NameCompare compare) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::wstring& candidate) { return compare(candidate, name) == 0; });
}

bool IsOffered(const FontEntry& entry, const FontFilterSettings& settings) {
    if (settings.visible && !settings.visible->empty() && ContainsName(*settings.visible, entry.name, settings.compare)) {
        return true;
    }
    if (settings.invisible && !settings.invisible->empty() &&
        ContainsName(*settings.invisible, entry.name, settings.compare)) {
        return false;
    }
    return PassesFilters(entry, settings.collect, settings.exclusive);
}

std::vector<FontEntry> OfferedFonts(const std::vector<FontEntry>& table, const FontFilterSettings& settings) {
    std::vector<FontEntry> offered;
    for (const FontEntry& entry : table) {
        if (IsOffered(entry, settings)) offered.push_back(entry);
    }
    return offered;
}

FontNameFilters NextExclusiveFilters(FontNameFilters current, FontNameFilters requested) noexcept {
    if (requested == current) return current;
    for (const FontNameFilter type : {fnfDevice, fnfVector, fnfRaster, fnfTrueType}) {
        if (requested.Contains(type) && !current.Contains(type)) {
            return (requested - kFontTypeFilters).Include(type);
        }
    }
    return requested;
}

namespace {
// Drops from `names` every name that `other` holds.
bool RemoveNamesIn(std::vector<std::wstring>& names, const std::vector<std::wstring>& other, NameCompare compare) {
    const auto end = std::remove_if(names.begin(), names.end(),
                                    [&](const std::wstring& name) { return ContainsName(other, name, compare); });
    const bool removed = end != names.end();
    names.erase(end, names.end());
    return removed;
}
}  // namespace

bool FontNameLists::SetVisible(std::vector<std::wstring> names) {
    if (names == visible_) return false;
    visible_ = std::move(names);
    RemoveNamesIn(invisible_, visible_, compare_);
    return true;
}

bool FontNameLists::SetInvisible(std::vector<std::wstring> names) {
    if (names == invisible_) return false;
    invisible_ = std::move(names);
    RemoveNamesIn(visible_, invisible_, compare_);
    return true;
}

// ------------------------------------------------------------------- drawing

FontMark ChooseFontMark(std::uint32_t flags, FontNameFilters collect, FontIconPriority priority) noexcept {
    const FontNameFilters classes = FontClasses({{}, flags}) & collect;
    const bool trueType = classes.Contains(fnfTrueType);
    const bool printer = classes.Contains(fnfPrinter);
    if (priority == fipPrinter) {
        if (printer) return FontMark::Printer;
        if (trueType) return FontMark::TrueType;
    } else {
        if (trueType) return FontMark::TrueType;
        if (printer) return FontMark::Printer;
    }
    return FontMark::None;
}

FontItemLayout LayoutFontItem(int left, int top, int bottom, int imageHeight, bool iconVisible,
                              FontMark mark) noexcept {
    FontItemLayout layout;
    if (!iconVisible) {
        layout.textLeft = left + 2;
        return layout;
    }
    layout.mark = mark;
    layout.markX = left + 2;
    layout.markY = top + (bottom - top - imageHeight) / 2;
    layout.textLeft = left + 20;
    return layout;
}

}  // namespace widgets
