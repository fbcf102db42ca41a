// The road's rules: what a change that was read becomes, and the clip table
// with its history limit.
#include <utility>

#include "clipboard/ClipManager.h"

namespace clipboard {

Outcome ClipManager::Intake(const Change& change, platform::ClipboardRead& read) {
    if (read.excluded) return Outcome::Secret;  // no clip, and the pending text stays as it was
    bool currentText = false;
    if (read.tooLarge) {
        pending_.reset();
        pendingTooLarge_ = true;
    } else if (read.text && !read.text->text.empty()) {
        pending_ = std::move(read.text);
        pendingTooLarge_ = false;
        currentText = true;
    }
    const RoadSettings settings = shell_.CurrentSettings();
    if (settings.doubleCopy) {
        if (!DoubleCopyDue(change.time, change.previousTime)) return Outcome::NotDoubleCopy;
    } else if (!pending_ && !pendingTooLarge_) {
        return Outcome::NoText;
    }
    const Outcome outcome = ShowClip(currentText);
    TrimClips();
    return outcome;
}

Outcome ClipManager::ShowClip(bool currentText) {
    if (!pending_ && !pendingTooLarge_) return Outcome::NoText;
    const RoadSettings settings = shell_.CurrentSettings();
    IntakeInput intake;
    intake.newestOpen = SlotFlag(lastSlot_);
    bool previewed = false;
    if (pendingTooLarge_) {
        // Never read whole: it stays turned away (even if the filter was
        // switched off since, in double copy mode), and it cannot equal the
        // newest clip, which is smaller.
        intake.textBytes = static_cast<std::size_t>(-1);
        intake.ignoreLarge = true;
        intake.sizeLimit = 0;
    } else {
        intake.textBytes = pending_->ansiBytes;
        intake.ignoreLarge = settings.ignoreLargeText;
        intake.sizeLimit = settings.sizeOfText;
        if (intake.newestOpen) {
            shell_.Preview(*pending_);
            previewed = true;
            intake.equalsNewest = shell_.IsClipText(lastSlot_, *pending_);
        }
    }
    const IntakeDecision decision = DecideIntake(intake);
    if (decision.focusNewest) shell_.FocusClip(lastSlot_);
    Outcome outcome = decision.focusNewest ? Outcome::Repeat : Outcome::TooLarge;
    if (decision.accept) {
        outcome = Outcome::NoFreeSlot;
        std::array<bool, kClipSlots> flags{};
        for (int slot = 0; slot < kClipSlots; ++slot) flags[static_cast<std::size_t>(slot)] = SlotFlag(slot);
        if (const std::optional<int> free = FirstFreeSlot(flags)) {
            const int slot = *free;
            shell_.ShowFirstPage();
            ++clipCounter_;
            // Not past here after an error: the pending text then keeps what it held.
            shell_.MakeClipWindow(slot);
            slots_[static_cast<std::size_t>(slot)] = Slot{true, true, clipCounter_, ++clipIds_};
            lastSlot_ = slot;
            newestBytes_ = pending_->ansiBytes;
            if (!previewed) shell_.Preview(*pending_);
            // What a paste would insert now: a change without text shows none.
            // Moved: the text may be large, and it is not kept here.
            platform::CompactText shown = currentText ? std::move(pending_->text) : platform::CompactText();
            shell_.ShowClip(slot, std::move(shown), settings.countDown, settings.closeClipTimer);
            outcome = Outcome::Clip;
        }
    }
    pending_.reset();  // its memory too: it may have been large
    pendingTooLarge_ = false;
    return outcome;
}

ClipTable ClipManager::Table() {
    ClipTable table;
    for (int slot = 0; slot < kClipSlots; ++slot) {
        const Slot& entry = slots_[static_cast<std::size_t>(slot)];
        if (entry.used) table[static_cast<std::size_t>(slot)] = {true, shell_.Pinned(slot), entry.serial};
    }
    return table;
}

void ClipManager::TrimClips() {
    for (const int slot : clipboard::TrimClips(Table(), clipCounter_, shell_.CurrentSettings().maxClipCount)) Close(slot);
}

void ClipManager::Close(int slot) {
    shell_.CloseClip(slot);
    slots_[static_cast<std::size_t>(slot)] = Slot{};
}

void ClipManager::ClipTouched(int slot) noexcept {
    if (SlotUsed(slot)) slots_[static_cast<std::size_t>(slot)].serial = ++clipCounter_;
}

void ClipManager::ClipClosed(int slot) noexcept {
    if (SlotUsed(slot)) slots_[static_cast<std::size_t>(slot)].open = false;
}

bool ClipManager::SlotFlag(int slot) const noexcept {
    return slot >= 0 && slot < kClipSlots && slots_[static_cast<std::size_t>(slot)].open;
}

bool ClipManager::SlotUsed(int slot) const noexcept {
    return slot >= 0 && slot < kClipSlots && slots_[static_cast<std::size_t>(slot)].used;
}

std::int32_t ClipManager::Serial(int slot) const noexcept {
    return SlotUsed(slot) ? slots_[static_cast<std::size_t>(slot)].serial : 0;
}

}  // namespace clipboard
