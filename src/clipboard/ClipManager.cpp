#include "clipboard/ClipManager.h"

#include <cstddef>

namespace clipboard {

void ClipManager::ClipboardChanged() noexcept { Run(true); }

void ClipManager::RetryRead() noexcept {
    if (waiting_) Run(false);
}

void ClipManager::Run(bool notified) noexcept {
    // A clipboard call can let another change notification in (Wine sends two
    // per X copy, the second while the first is still reading). A retry that
    // comes meanwhile has nothing to add: the change being handled reads the
    // clipboard as it is now.
    if (inChange_) {
        if (notified) changeWhileBusy_ = true;
        return;
    }
    inChange_ = true;
    do {
        changeWhileBusy_ = false;
        try {
            HandleChange(notified);
        } catch (...) {
            // A failed window never reaches the user.
        }
        // A retry is no change: the time stays that of the last notification.
        if (notified) lastChangeTime_ = windows_.TickCount();
        notified = true;
    } while (changeWhileBusy_);
    inChange_ = false;
}

void ClipManager::HandleChange(bool notified) {
    const std::uint32_t now = windows_.TickCount();
    const std::uint32_t sequence = windows_.ClipboardSequence();
    if (sequence != 0 && sequence == handledSequence_) return;
    // A late notification of the change that waits, or its retry, keeps its
    // times; an unknown sequence number makes every notification a change.
    const bool sameChange = waiting_ && (sequence == 0 ? !notified : sequence == waiting_->sequence);
    // The clipboard changed again since: that change is notified on its own
    // (unless it was not to be watched, such as a window's own copy back).
    if (!notified && !sameChange) {
        waiting_.reset();
        return;
    }
    if (!sameChange) waiting_ = WaitingChange{sequence, now, lastChangeTime_};
    std::optional<ClipboardRead> read;
    try {
        read = windows_.ReadClipboard();
    } catch (...) {
        // Tried again like a held clipboard: the next read may well succeed.
    }
    if (!read || read->held) {
        if (now - waiting_->time < kHeldLimitMs) {
            windows_.RetryRead(kRetryMs);
        } else {
            handledSequence_ = sequence;  // given up
            waiting_.reset();
        }
        return;
    }
    const WaitingChange change = *waiting_;
    waiting_.reset();
    handledSequence_ = sequence;
    clipboardText_ = read->wideText;
    if (read->excluded) return;
    if (read->text && !read->text->empty()) pendingText_ = *read->text;
    const ClipOptions options = windows_.Options();
    if (options.doubleCopy) {
        if (!DoubleCopyDue(change.time, change.previousTime)) return;
    } else if (pendingText_.empty()) {
        return;
    }
    ShowClip();
    TrimClips();
}

void ClipManager::ShowClip() {
    if (pendingText_.empty()) return;
    const ClipOptions options = windows_.Options();
    IntakeInput intake;
    intake.textBytes = pendingText_.size();
    intake.ignoreLarge = options.ignoreLargeText;
    intake.sizeLimit = options.sizeOfText;
    intake.newestOpen = SlotFlag(lastSlot_);
    if (intake.newestOpen) intake.equalsNewest = windows_.Preview(pendingText_) == windows_.ClipText(lastSlot_);
    const IntakeDecision decision = DecideIntake(intake);
    if (decision.focusNewest) windows_.FocusClip(lastSlot_);

    if (decision.accept) {
        if (const std::optional<int> free = FirstFreeSlot(slotFlags_)) {
            const int slot = *free;
            windows_.ShowFirstPage();
            ++clipCounter_;
            windows_.CreateClip(slot);
            slotFlags_[static_cast<std::size_t>(slot)] = true;
            lastSlot_ = slot;
            windows_.Preview(pendingText_);
            windows_.ShowClipWindow(slot, clipboardText_);
            windows_.StartClip(slot, clipCounter_, options.countDown, options.closeClipTimer);
        }
    }
    // Not reached after an error: the pending text then keeps what it held.
    pendingText_.clear();
}

ClipTable ClipManager::Table() {
    ClipTable table;
    for (int slot = 0; slot < kClipSlots; ++slot) table[static_cast<std::size_t>(slot)] = windows_.Entry(slot);
    return table;
}

void ClipManager::TrimClips() {
    for (const int slot : clipboard::TrimClips(Table(), clipCounter_, windows_.Options().maxClipCount)) {
        windows_.CloseClip(slot);
    }
}

void ClipManager::CloseAllClips() {
    for (const int slot : CloseAllSelection(Table())) windows_.CloseClip(slot);
}

void ClipManager::ClipClosed(int slot) noexcept {
    if (slot >= 0 && slot < kClipSlots) slotFlags_[static_cast<std::size_t>(slot)] = false;
}

bool ClipManager::SlotFlag(int slot) const noexcept {
    return slot >= 0 && slot < kClipSlots && slotFlags_[static_cast<std::size_t>(slot)];
}

}  // namespace clipboard
