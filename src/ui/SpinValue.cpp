#include "ui/SpinValue.h"

#include <climits>
#include <cstdint>

namespace ui {

namespace {
bool IsBlank(wchar_t ch) noexcept { return ch == L' ' || ch == L'\t'; }
}  // namespace

std::optional<int> ParseSpinText(std::wstring_view text) noexcept {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Accumulate as a negative number so that INT_MIN fits.
    std::int64_t value = 0;
    for (const wchar_t ch : text) {
        if (ch < L'0' || ch > L'9') return std::nullopt;
        value = value * 10 - (ch - L'0');
        if (value < static_cast<std::int64_t>(INT_MIN)) return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > INT_MAX) return std::nullopt;
    }
    return static_cast<int>(value);
}

int ClampSpinValue(int value, const SpinRange& range) noexcept {
    if (!range.Bounded()) return value;
    if (value < range.minValue) return range.minValue;
    if (value > range.maxValue) return range.maxValue;
    return value;
}

int SpinValueOfText(std::wstring_view text, const SpinRange& range) noexcept {
    const std::optional<int> parsed = ParseSpinText(text);
    return parsed ? ClampSpinValue(*parsed, range) : range.minValue;
}

int StepSpinValue(int value, int increment, int steps, const SpinRange& range) noexcept {
    std::int64_t next = static_cast<std::int64_t>(value) + static_cast<std::int64_t>(increment) * steps;
    if (next < INT_MIN) next = INT_MIN;
    if (next > INT_MAX) next = INT_MAX;
    return ClampSpinValue(static_cast<int>(next), range);
}

std::wstring SpinText(int value) { return std::to_wstring(value); }

bool IsSpinInputChar(wchar_t ch) noexcept {
    return (ch >= L'0' && ch <= L'9') || ch == L'-' || ch == L'+' || ch < L' ';
}

}  // namespace ui
