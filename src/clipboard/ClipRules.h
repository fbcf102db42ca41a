#pragma once
// The clip manager's decisions, kept free of the window system so that they
// can be checked on their own: when a copy deserves a clip window, which slot
// takes it, and which windows the history limit and Close All Clips close.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace clipboard {

constexpr int kClipSlots = 51;

// Double copy mode: the second of two clipboard changes makes a clip only when
// it follows the first by more than 100 and less than 1000 ms. Both ticks are
// GetTickCount values; the difference is taken modulo 2^32 so that a wrap of
// the tick count between the two changes is still measured correctly.
constexpr std::uint32_t kDoubleCopyMinMs = 100;
constexpr std::uint32_t kDoubleCopyMaxMs = 1000;
bool DoubleCopyDue(std::uint32_t now, std::uint32_t lastChange) noexcept;

struct IntakeInput {
    std::size_t textBytes = 0;     // pending text, system code page, without terminator
    bool ignoreLarge = true;       // "Ignore Large Text"
    long long sizeLimit = 1000;    // "Size of Text :"; a text of exactly this many bytes passes
    bool newestOpen = false;       // slot flag of the last slot
    bool equalsNewest = false;     // pending text equals the newest clip's text
};

struct IntakeDecision {
    bool accept = false;       // make a new clip window
    bool focusNewest = false;  // same text again: bring the newest clip forward instead
    friend bool operator==(const IntakeDecision&, const IntakeDecision&) = default;
};

// Empty text makes nothing. The repeat test is made whatever the size test
// said, so a repeated large text still refreshes the newest clip.
IntakeDecision DecideIntake(const IntakeInput& in) noexcept;

// The lowest slot whose flag is clear, none when all are taken.
std::optional<int> FirstFreeSlot(const std::array<bool, kClipSlots>& flags) noexcept;

// What the history limit and Close All Clips see of one table entry. An entry
// stays present after its window closed itself, until it is replaced or closed
// here, and it counts against the limit until then.
struct ClipEntry {
    bool present = false;
    bool pinned = false;
    std::int32_t serial = 0;
};
using ClipTable = std::array<ClipEntry, kClipSlots>;

// Slots to close, in order, to bring the number of present entries down to
// `limit`. Each round picks the unpinned entry with the lowest serial strictly
// below the clip counter (the lower slot on ties), so the newest clip and every
// pinned one survive; it stops early when no such entry is left.
std::vector<int> TrimClips(ClipTable table, std::int32_t clipCounter, int limit);

// Slots Close All Clips closes: every present, unpinned entry, in slot order.
std::vector<int> CloseAllSelection(const ClipTable& table);

}  // namespace clipboard
