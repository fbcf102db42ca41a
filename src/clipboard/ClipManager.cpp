#include "clipboard/ClipManager.h"

#include <algorithm>
#include <cstddef>
#include <utility>

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
    const ClipOptions options = windows_.Options();
    // The filter turns a large text away unread, unless the newest clip is
    // itself that large (the settings changed since it was made): only the
    // whole text can tell the repeat rule whether it is the same again.
    std::optional<long long> sizeLimit;
    const long long readWhole = std::max(options.sizeOfText, kPreviewBytes);
    const bool newestAsLarge = SlotFlag(lastSlot_) && newestBytes_ > static_cast<unsigned long long>(readWhole);
    if (options.ignoreLargeText && !newestAsLarge) sizeLimit = readWhole;
    std::optional<ClipboardRead> read;
    try {
        read = windows_.ReadClipboard(sizeLimit);
    } catch (...) {
        // Tried again like a held clipboard: the next read may well succeed.
    }
    // The change waits, with its times, for the read to be done.
    if (read && read->reading) return;
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
    clipboardText_ = std::move(read->wideText);
    if (read->excluded) return;
    if (read->tooLarge) {
        pendingText_ = std::string();
        pendingTooLarge_ = true;
    } else if (read->text && !read->text->empty()) {
        pendingText_ = std::move(*read->text);
        pendingTooLarge_ = false;
    }
    if (options.doubleCopy) {
        if (!DoubleCopyDue(change.time, change.previousTime)) return;
    } else if (pendingText_.empty() && !pendingTooLarge_) {
        return;
    }
    ShowClip();
    clipboardText_ = std::wstring();  // not kept: it may be large
    TrimClips();
}

void ClipManager::ShowClip() {
    if (pendingText_.empty() && !pendingTooLarge_) return;
    const ClipOptions options = windows_.Options();
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
        intake.textBytes = pendingText_.size();
        intake.ignoreLarge = options.ignoreLargeText;
        intake.sizeLimit = options.sizeOfText;
        if (intake.newestOpen) {
            windows_.Preview(pendingText_);
            previewed = true;
            intake.equalsNewest = windows_.IsClipText(lastSlot_, pendingText_);
        }
    }
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
            newestBytes_ = pendingText_.size();
            if (!previewed) windows_.Preview(pendingText_);
            // Moved: the text may be large, and it is not kept here.
            windows_.ShowClipWindow(slot, std::move(clipboardText_));
            windows_.StartClip(slot, clipCounter_, options.countDown, options.closeClipTimer);
        }
    }
    // Not reached after an error: the pending text then keeps what it held.
    pendingText_ = std::string();  // its memory too: it may have been large
    pendingTooLarge_ = false;
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
