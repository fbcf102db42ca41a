#include "clipwindow/ClipWindowRules.h"

#include <algorithm>
#include <climits>
#include <limits>
#include <utility>

namespace clipwindow {

namespace {

constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();

int ClampToInt(std::int64_t value) noexcept {
    return static_cast<int>(std::clamp(value, kIntMin, kIntMax));
}

// num / den rounded to nearest with halves to even, for den > 0, without
// floating point so that exact halves (127.5) are recognised.
std::int64_t DivideHalfEven(std::int64_t num, std::int64_t den) noexcept {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {  // floor division, so that 0 <= r < den
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0)) ++q;
    return q;
}

}  // namespace

int FadeAlpha(std::int64_t countDown, std::int64_t elapsed) noexcept {
    if (countDown <= 0) return 0;
    // |countDown - elapsed| < 2^33, so the product stays far inside 64 bits.
    const std::int64_t alpha = DivideHalfEven(255 * (countDown - elapsed), countDown);
    return static_cast<int>(std::clamp<std::int64_t>(alpha, 0, 255));
}

TickOutcome Tick(const TickInput& in, std::string_view titleStamp) {
    TickOutcome out;
    if (in.pinned) {
        out.stopTimer = true;
        out.elapsed = in.elapsed;
        out.alpha = 255;
        return out;
    }
    const std::int64_t elapsed = static_cast<std::int64_t>(in.elapsed) + 1;
    out.elapsed = ClampToInt(elapsed);
    out.alpha = in.hideGradually ? FadeAlpha(in.countDown, elapsed) : 255;
    if (in.titleTimer) {
        std::string title(titleStamp);
        title += " (";
        title += std::to_string(static_cast<std::int64_t>(in.countDown) - elapsed);
        title += ')';
        out.title = std::move(title);
    }
    out.close = elapsed > in.countDown;
    return out;
}

LayoutOutcome LayoutHeight(const LayoutInput& in) noexcept {
    LayoutOutcome out;
    if (in.textEmpty) return out;
    const std::int64_t lines = std::max<std::int64_t>(0, static_cast<std::int64_t>(in.lineCount) - (in.lastLineEmpty ? 1 : 0));
    std::int64_t height = lines * std::max(0, in.charHeight);
    const std::int64_t maxHeight = std::max(0, in.maxHeight);  // a negative maximum would give a negative window
    if (height > maxHeight) {
        height = maxHeight;
        out.verticalScrollBar = in.scrollBarVertical;
    }
    out.clientHeight = ClampToInt(height + 8);
    return out;
}

Position KeepInWorkArea(const WindowRect& window, const WorkArea& area) noexcept {
    std::int64_t left = window.left;
    std::int64_t top = window.top;
    const std::int64_t lastLeft = static_cast<std::int64_t>(area.right) - window.width;
    const std::int64_t lastTop = static_cast<std::int64_t>(area.bottom) - window.height;
    if (lastLeft < left) left = lastLeft;
    if (lastTop < top) top = lastTop;
    return {ClampToInt(left), ClampToInt(top)};
}

int ZoomedSize(int size, int step) noexcept {
    const long long zoomed = static_cast<long long>(size) + step;
    if (zoomed > INT_MAX) return INT_MAX;
    if (zoomed < INT_MIN) return INT_MIN;
    return static_cast<int>(zoomed);
}

ShowBudget BudgetFor(int clientWidth, int averageCharWidth, int visibleLines) noexcept {
    // Four window heights to scroll through, and never fewer lines than a
    // clip of the built size shows in four.
    constexpr int kHeights = 4;
    constexpr int kMinLines = 40;
    ShowBudget budget;
    budget.unitsPerLine = static_cast<std::size_t>(std::max(1, clientWidth / std::max(1, averageCharWidth)));
    budget.lines = static_cast<std::size_t>(std::max(kMinLines, kHeights * std::max(1, visibleLines)));
    budget.paragraphLines = budget.lines / 2;
    return budget;
}

namespace {

template <class Text>
std::size_t ShownPartOf(const Text& text, const ShowBudget& budget) noexcept {
    const std::size_t perLine = std::max<std::size_t>(budget.unitsPerLine, 1);
    std::size_t lines = 0;
    std::size_t paragraph = 0;  // where the line being counted begins
    std::size_t cut = text.size();
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != L'\n') {
            // A line with no break in it lays out in the square of its
            // length: it ends the part shown where its share of lines ends.
            const std::size_t linesLeft = std::min(budget.lines - lines, std::max<std::size_t>(budget.paragraphLines, 1));
            if (at - paragraph >= linesLeft * perLine) {
                cut = at;
                break;
            }
            continue;
        }
        lines += std::max<std::size_t>(1, (at - paragraph + perLine - 1) / perLine);
        paragraph = at + 1;
        if (lines >= budget.lines && at + 1 < text.size()) {
            cut = at + 1;
            break;
        }
    }
    cut = std::min(cut, budget.units);
    if (cut < text.size() && cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
    return cut;
}

}  // namespace

std::size_t ShownPart(const platform::CompactText& text, const ShowBudget& budget) noexcept {
    return ShownPartOf(text, budget);
}

std::size_t ShownPart(std::wstring_view text, const ShowBudget& budget) noexcept { return ShownPartOf(text, budget); }

}  // namespace clipwindow
