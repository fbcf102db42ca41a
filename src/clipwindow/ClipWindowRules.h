#pragma once
// The clip window's arithmetic, apart from the window itself: what one timer
// tick does, how tall the window gets for its text, and where it moves to stay
// on the screen.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/CompactText.h"
#include "platform/ScreenGeometry.h"

namespace clipwindow {

struct TickInput {
    std::int32_t countDown = 120;  // seconds to count before closing
    std::int32_t elapsed = 0;      // ticks since the last reset, before this tick
    bool pinned = false;
    bool hideGradually = false;    // "Hide Gradually"
    bool titleTimer = true;         // "Show Timer Count Down"
};

struct TickOutcome {
    bool stopTimer = false;            // pinned: the count-down stops here
    std::int32_t elapsed = 0;          // the new Elapsed
    int alpha = 255;                   // 0 invisible .. 255 opaque
    std::optional<std::string> title;  // the new title; none keeps the current one
    bool close = false;                // the count-down has run out
};

// One tick of the one-second timer. A pinned window stops its timer and turns
// opaque; otherwise Elapsed grows by one, the window fades if asked, the title
// shows the seconds left if asked, and the window closes once Elapsed passes
// CountDown. Sums are taken in 64 bits, so extreme values cannot overflow;
// Elapsed stops at INT32_MAX, and the close test uses the exact sum.
TickOutcome Tick(const TickInput& in, std::string_view titleStamp);

// round(255 * (countDown - elapsed) / countDown), halves to even, within 0..255.
// A count-down of zero or less has nothing to fade over and the window closes
// at this very tick, so it is drawn invisible (0) rather than divided by.
int FadeAlpha(std::int64_t countDown, std::int64_t elapsed) noexcept;

struct LayoutInput {
    int lineCount = 1;           // the edit control's count after word wrap
    bool lastLineEmpty = false;  // the text ends in a line break
    bool textEmpty = false;
    int charHeight = 12;         // ui::FontPixelHeight of the clip font
    int maxHeight = 120;         // "Max Height :"
    bool scrollBarVertical = true;  // "Vertical" rather than "None"
};

struct LayoutOutcome {
    std::optional<int> clientHeight;  // none: keep the height as created
    bool verticalScrollBar = false;
};

// Client height for the clip text: its lines times the character height, at
// most "Max Height :", plus 8 for the edit control's frame. Only a text cut
// off at the maximum gets a scroll bar, and only when "Vertical" is chosen.
LayoutOutcome LayoutHeight(const LayoutInput& in) noexcept;

// What a clip window shows of a long text. An edit control lays its text
// out again at every change of font, width or scroll bar, under Wine at
// about 100,000 characters a second, and a line with no place to break it
// costs it the square of its length: 20,000 characters on one line took
// seconds. So a clip shows what fits in a few window heights of lines, at
// the font's average width, whatever the text's shape, and of a line with
// no break in it fewer; the rest is marked, and the copy back copies the
// whole text.
struct ShowBudget {
    std::size_t units = 16384;          // at most this many UTF-16 units
    std::size_t lines = 40;             // at most this many lines as wrapped at unitsPerLine
    std::size_t paragraphLines = 20;    // of them at most this many for one line of the text
    std::size_t unitsPerLine = 30;      // what one line of the window holds
};
// Four window heights of visibleLines lines (at least 40), two of them for
// one line of the text (at least 20).
ShowBudget BudgetFor(int clientWidth, int averageCharWidth, int visibleLines) noexcept;
// How many units of the text to show within the budget: all of it when it
// fits; never ending between the halves of a surrogate pair.
std::size_t ShownPart(const platform::CompactText& text, const ShowBudget& budget) noexcept;
std::size_t ShownPart(std::wstring_view text, const ShowBudget& budget) noexcept;

// The clip window's rules speak in the screen's geometry.
using platform::Position;
using platform::WindowRect;
using platform::WorkArea;

// Pulls a window that sticks out past the right or bottom edge of the work
// area back so that it ends there. The left and top edges are left alone: the
// window opens at the cursor, which is already on the screen.
Position KeepInWorkArea(const WindowRect& window, const WorkArea& area) noexcept;

// The clip font's size one point bigger (step 1) or smaller (step -1), as
// Ctrl+B and Ctrl+S change it. There is no bound but the int's own ends,
// where the size stays.
int ZoomedSize(int size, int step) noexcept;

}  // namespace clipwindow
