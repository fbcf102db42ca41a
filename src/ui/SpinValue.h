#pragma once
// The number rules of a spin edit, kept free of Win32 so they can be tested
// natively: whole numbers only, an optional range, and a value even when the
// text is not a number.
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// A range applies only when the two limits differ; equal limits (0 and 0 by
// default) leave the value free, negative numbers included.
struct SpinRange {
    int minValue = 0;
    int maxValue = 0;
    bool Bounded() const noexcept { return minValue != maxValue; }
};

// The whole number the text spells (surrounding blanks and one sign allowed),
// or nothing when it is not one or does not fit an int.
std::optional<int> ParseSpinText(std::wstring_view text) noexcept;
int ClampSpinValue(int value, const SpinRange& range) noexcept;
// The value a spin edit with this text holds: the number clamped, or the
// minimum when the text is not a number.
int SpinValueOfText(std::wstring_view text, const SpinRange& range) noexcept;
// One arrow step: `steps` increments away from the value, saturating at the
// int limits instead of wrapping, then clamped.
int StepSpinValue(int value, int increment, int steps, const SpinRange& range) noexcept;
std::wstring SpinText(int value);
// Whether typing this character may put it into the text: digits, signs and
// the editing keys; letters and punctuation are refused.
bool IsSpinInputChar(wchar_t ch) noexcept;

}  // namespace ui
