#include "clipboard/ClipRules.h"

namespace clipboard {

bool DoubleCopyDue(std::uint32_t now, std::uint32_t lastChange) noexcept {
    const std::uint32_t elapsed = now - lastChange;  // unsigned: wraps as the tick count does
    return elapsed > kDoubleCopyMinMs && elapsed < kDoubleCopyMaxMs;
}

IntakeDecision DecideIntake(const IntakeInput& in) noexcept {
    if (in.textBytes == 0) return {};
    // A negative limit lets nothing through; compare without converting it to size_t.
    const bool tooLarge =
        in.ignoreLarge && (in.sizeLimit < 0 || in.textBytes > static_cast<unsigned long long>(in.sizeLimit));
    const bool repeat = in.newestOpen && in.equalsNewest;
    return {!tooLarge && !repeat, repeat};
}

std::optional<int> FirstFreeSlot(const std::array<bool, kClipSlots>& flags) noexcept {
    for (int slot = 0; slot < kClipSlots; ++slot) {
        if (!flags[static_cast<std::size_t>(slot)]) return slot;
    }
    return std::nullopt;
}

std::vector<int> TrimClips(ClipTable table, std::int32_t clipCounter, int limit) {
    std::vector<int> closed;
    for (;;) {
        int count = 0;
        std::optional<int> candidate;
        std::int32_t lowest = clipCounter;
        for (int slot = 0; slot < kClipSlots; ++slot) {
            const ClipEntry& entry = table[static_cast<std::size_t>(slot)];
            if (!entry.present) continue;
            ++count;
            // Strictly lower: the clip whose serial equals the counter is the
            // newest one and stays; the first slot of equal serials wins.
            if (!entry.pinned && entry.serial < lowest) {
                lowest = entry.serial;
                candidate = slot;
            }
        }
        if (count <= limit || !candidate) return closed;
        table[static_cast<std::size_t>(*candidate)].present = false;
        closed.push_back(*candidate);
    }
}

std::vector<int> CloseAllSelection(const ClipTable& table) {
    std::vector<int> slots;
    for (int slot = 0; slot < kClipSlots; ++slot) {
        const ClipEntry& entry = table[static_cast<std::size_t>(slot)];
        if (entry.present && !entry.pinned) slots.push_back(slot);
    }
    return slots;
}

}  // namespace clipboard
