#pragma once
// A text in as little memory as it needs: one byte per UTF-16 unit while
// every unit is below 256 (ASCII and Latin-1, as most large copies are),
// two otherwise. A clip keeps the whole of what was copied for its copy
// back; under Wine the clipboard's own block of a large text is in the
// program's memory beside it. Portable.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

class CompactText {
public:
    CompactText() = default;
    // Copies the text, narrowed when every unit fits in a byte.
    explicit CompactText(std::wstring_view text);

    std::size_t size() const noexcept { return wide_ ? wideUnits_.size() : narrowUnits_.size(); }
    bool empty() const noexcept { return size() == 0; }
    wchar_t operator[](std::size_t index) const noexcept {
        return wide_ ? wideUnits_[index] : static_cast<wchar_t>(static_cast<unsigned char>(narrowUnits_[index]));
    }

    // Adds units at the end; the first unit that needs two bytes widens what is there.
    void Append(std::wstring_view units);
    // Up to count units from `from` on (fewer at the end).
    std::wstring Substr(std::size_t from, std::size_t count = std::wstring::npos) const;
    std::wstring ToWide() const { return Substr(0); }
    // Copies units [from, from + count) to out, which has room for them.
    void CopyTo(std::size_t from, std::size_t count, wchar_t* out) const noexcept;
    // Whether the units from `from` on begin with `units`.
    bool MatchesAt(std::size_t from, std::wstring_view units) const noexcept;

    friend bool operator==(const CompactText& text, std::wstring_view units) noexcept {
        return text.size() == units.size() && text.MatchesAt(0, units);
    }

private:
    bool wide_ = false;
    std::string narrowUnits_;  // each byte one unit, U+0000 to U+00FF
    std::wstring wideUnits_;
};

}  // namespace platform
