#include "platform/TextSize.h"

#include <algorithm>

namespace platform {

namespace {

// The text's length if it ends within the first `scan` units, else `scan`.
template <typename Char>
std::size_t LengthWithin(std::basic_string_view<Char> block, unsigned long long scan) {
    const auto end = block.begin() + static_cast<std::ptrdiff_t>(std::min<unsigned long long>(scan, block.size()));
    return static_cast<std::size_t>(std::find(block.begin(), end, Char{}) - block.begin());
}

}  // namespace

TextSize MeasureAnsiText(std::string_view block, long long limit) noexcept {
    const auto bound = static_cast<unsigned long long>(limit);
    if (limit >= 0 && block.size() <= bound) return {SizeVerdict::Within};
    // One byte past the limit without a NUL is enough to turn it away.
    const std::size_t length = LengthWithin(block, limit < 0 ? 1 : bound + 1);
    const bool within = length == 0 || (limit >= 0 && length <= bound);
    return {within ? SizeVerdict::Within : SizeVerdict::Over};
}

TextSize MeasureWideText(std::wstring_view block, unsigned maxCharBytes, long long limit) noexcept {
    const auto bound = static_cast<unsigned long long>(limit);
    const unsigned long long widest = std::max(maxCharBytes, 1u);
    if (limit >= 0 && block.size() <= bound / widest) return {SizeVerdict::Within};
    // 2 * limit + 1 units take more than `limit` bytes whatever they are.
    const std::size_t length = LengthWithin(block, limit < 0 ? 1 : 2 * bound + 1);
    if (length == 0) return {SizeVerdict::Within};
    if (limit < 0 || (length + 1) / 2 > bound) return {SizeVerdict::Over};
    if (length <= bound / widest) return {SizeVerdict::Within};
    return {SizeVerdict::Unsettled, length};
}

}  // namespace platform
