#include "platform/CompactText.h"

#include <algorithm>

namespace platform {

namespace {

bool FitsInBytes(std::wstring_view units) noexcept {
    return std::all_of(units.begin(), units.end(), [](wchar_t unit) { return static_cast<unsigned>(unit) < 0x100; });
}

}  // namespace

CompactText::CompactText(std::wstring_view text) { Append(text); }

void CompactText::Append(std::wstring_view units) {
    if (!wide_ && !FitsInBytes(units)) {
        wideUnits_.reserve(narrowUnits_.size() + units.size());
        for (const char unit : narrowUnits_) wideUnits_ += static_cast<wchar_t>(static_cast<unsigned char>(unit));
        narrowUnits_ = std::string();
        wide_ = true;
    }
    if (wide_) {
        wideUnits_.append(units);
        return;
    }
    const std::size_t start = narrowUnits_.size();
    narrowUnits_.resize(start + units.size());
    std::transform(units.begin(), units.end(), narrowUnits_.begin() + static_cast<std::ptrdiff_t>(start),
                   [](wchar_t unit) { return static_cast<char>(static_cast<unsigned char>(unit)); });
}

std::wstring CompactText::Substr(std::size_t from, std::size_t count) const {
    from = std::min(from, size());
    count = std::min(count, size() - from);
    std::wstring units(count, L'\0');
    CopyTo(from, count, units.data());
    return units;
}

void CompactText::CopyTo(std::size_t from, std::size_t count, wchar_t* out) const noexcept {
    if (wide_) {
        std::copy_n(wideUnits_.begin() + static_cast<std::ptrdiff_t>(from), count, out);
        return;
    }
    const auto begin = narrowUnits_.begin() + static_cast<std::ptrdiff_t>(from);
    std::transform(begin, begin + static_cast<std::ptrdiff_t>(count), out,
                   [](char unit) { return static_cast<wchar_t>(static_cast<unsigned char>(unit)); });
}

bool CompactText::MatchesAt(std::size_t from, std::wstring_view units) const noexcept {
    if (from > size() || units.size() > size() - from) return false;
    if (wide_) return std::wstring_view(wideUnits_).substr(from, units.size()) == units;
    return std::equal(units.begin(), units.end(), narrowUnits_.begin() + static_cast<std::ptrdiff_t>(from),
                      [](wchar_t unit, char narrow) {
                          return static_cast<unsigned>(unit) == static_cast<unsigned char>(narrow);
                      });
}

}  // namespace platform
