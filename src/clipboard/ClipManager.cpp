// The road's events: notifications, reads, retries, the copy back, watching.
#include "clipboard/ClipManager.h"

#include <algorithm>
#include <exception>
#include <string>
#include <utility>

namespace clipboard {

namespace {

// Whether the tick count has reached `at`; both wrap at 2^32.
bool Due(std::uint32_t at, std::uint32_t now) noexcept { return static_cast<std::int32_t>(now - at) >= 0; }

// The sooner of two tick counts, either of which may be due already.
std::uint32_t Sooner(std::optional<std::uint32_t> a, std::uint32_t b, std::uint32_t now) noexcept {
    return !a || static_cast<std::int32_t>(b - now) < static_cast<std::int32_t>(*a - now) ? b : *a;
}

}  // namespace

const char* OutcomeName(Outcome outcome) noexcept {
    switch (outcome) {
        case Outcome::Clip: return "shown as a new clip";
        case Outcome::Repeat: return "the newest clip's text again";
        case Outcome::TooLarge: return "turned away by the large-text filter";
        case Outcome::NoFreeSlot: return "no free clip slot";
        case Outcome::NoText: return "no text";
        case Outcome::NotDoubleCopy: return "not a double copy";
        case Outcome::Secret: return "marked as a secret";
        case Outcome::AlreadyRead: return "already read";
        case Outcome::Replaced: return "replaced by a newer change";
        case Outcome::OwnCopy: return "replaced by the program's own copy back";
        case Outcome::Suspended: return "watching suspended";
        case Outcome::HeldTooLong: return "another program held the clipboard too long";
        case Outcome::ReadTooLong: return "the read took too long";
        case Outcome::ReadFailed: return "the clipboard could not be read";
        case Outcome::WindowFailed: return "no clip window could be made";
        case Outcome::Ended: return "the program ended";
    }
    return "?";
}

void ClipManager::StartWatching() {
    watch_ = Watch::StartingUp;
    try {
        shell_.JoinChain();
    } catch (...) {
        watch_ = Watch::Suspended;
        shell_.ShowWatching(false);
        throw;
    }
}

void ClipManager::StartUpFinished() noexcept { PostQuietly(StartUpEvent{}); }

void ClipManager::Notified() noexcept { PostQuietly(NotifiedEvent{}); }

void ClipManager::ReadEnded(platform::ClipboardRead read) noexcept { PostQuietly(ReadEndedEvent{std::move(read)}); }

void ClipManager::Tick() noexcept {
    tickAt_.reset();  // the shell's tick is one-shot
    PostQuietly(TickEvent{});
}

void ClipManager::CopyBack(int slot) noexcept { PostQuietly(CopyBackEvent{slot}); }

void ClipManager::Suspend() noexcept { PostQuietly(SuspendEvent{}); }

void ClipManager::Resume() { Post(ResumeEvent{}); }

void ClipManager::Quit() noexcept { PostQuietly(QuitEvent{}); }

void ClipManager::CloseAllClips() noexcept { PostQuietly(CloseAllEvent{}); }

void ClipManager::PostQuietly(Event event) noexcept {
    try {
        Post(std::move(event));
    } catch (...) {
        // A failure on the road never reaches the user.
    }
}

void ClipManager::Post(Event event) {
    queue_.push_back(std::move(event));
    if (running_) return;
    running_ = true;
    std::exception_ptr error;
    bool first = true;
    while (!queue_.empty()) {
        Event next = std::move(queue_.front());
        queue_.pop_front();
        try {
            std::visit([this](auto& e) { On(e); }, next);
        } catch (...) {
            // A failure on the road never reaches the user; only the caller's own event reports one.
            if (first) error = std::current_exception();
        }
        first = false;
    }
    try {
        Reschedule();
    } catch (...) {
    }
    running_ = false;
    if (error) std::rethrow_exception(error);
}

RoadState ClipManager::State() const noexcept {
    switch (watch_) {
        case Watch::StartingUp: return RoadState::StartingUp;
        case Watch::Suspended: return RoadState::Suspended;
        case Watch::Ended: return RoadState::Ended;
        case Watch::Watching: break;
    }
    if (reading_) return RoadState::Reading;
    return waiting_ && retryAt_ ? RoadState::Retrying : RoadState::Idle;
}

void ClipManager::Settle(Outcome outcome, std::uint32_t systemError, std::string_view failure) {
    ++settlements_;
    shell_.Settled(outcome, systemError, failure);
}

bool ClipManager::AlreadyRead(std::uint32_t sequence) const noexcept {
    // 0 is no number: it never says that nothing changed.
    return sequence != 0 && sequence == readSequence_;
}

std::optional<long long> ClipManager::SizeLimit(const RoadSettings& settings) const {
    // The filter turns a large text away unread, unless the newest clip is
    // itself that large (the settings changed since it was made): only the
    // whole text can tell the repeat rule whether it is the same again.
    const long long readWhole = std::max<long long>(settings.sizeOfText, kPreviewBytes);
    const bool newestAsLarge = SlotFlag(lastSlot_) && newestBytes_ > static_cast<unsigned long long>(readWhole);
    if (!settings.ignoreLargeText || newestAsLarge) return std::nullopt;
    return readWhole;
}

void ClipManager::On(NotifiedEvent&) {
    if (watch_ == Watch::Ended) return;
    ++notifications_;
    const std::uint32_t now = shell_.Now();
    // Every change moves the time of the last change, whatever becomes of it.
    const Change change{now, lastChangeTime_, now};
    lastChangeTime_ = now;
    if (watch_ == Watch::Suspended) {
        Settle(Outcome::Suspended);
        owedByRead_ = true;
        PassOnRead();
        return;
    }
    // A newer change takes the waiting one's place: reading the clipboard
    // reads the newer one anyway.
    if (waiting_) Settle(Outcome::Replaced);
    waiting_ = change;
    retryAt_.reset();
    if (watch_ == Watch::StartingUp) {
        // Read once start-up is over; nothing of the program's holds the clipboard meanwhile.
        owedByRead_ = true;
        PassOnRead();
        return;
    }
    // Passed on once this change's read has closed the clipboard, whether
    // it is read now or after the read under way.
    owedByWaiting_ = true;
    ReadWaiting();
}

void ClipManager::ReadWaiting() {
    if (!waiting_ || reading_ || retryAt_ || watch_ != Watch::Watching) return;
    if (AlreadyRead(shell_.ClipboardSequence())) {
        waiting_.reset();
        Settle(Outcome::AlreadyRead);
        SettledUnread();
        return;
    }
    const RoadSettings settings = shell_.CurrentSettings();
    reading_ = Read{++readIds_, *waiting_, shell_.Now(), false};
    waiting_.reset();
    owedByRead_ = owedByRead_ || owedByWaiting_;
    owedByWaiting_ = false;
    shell_.StartRead(reading_->id, SizeLimit(settings));
}

void ClipManager::SettledUnread() {
    owedByRead_ = owedByRead_ || owedByWaiting_;
    owedByWaiting_ = false;
    PassOnRead();
}

void ClipManager::On(ReadEndedEvent& event) {
    platform::ClipboardRead& read = event.read;
    // A read given up has been settled already.
    if (!reading_ || read.id != reading_->id) return;
    const Read done = *reading_;
    reading_.reset();
    if (!done.unwanted) {
        if (read.status == platform::ReadStatus::Read) {
            readSequence_ = read.sequence;
            Outcome outcome = Outcome::WindowFailed;
            std::string failure;
            try {
                outcome = Intake(done.change, read);
            } catch (const std::exception& error) {
                failure = error.what();  // a window that cannot be made never reaches the user
            } catch (...) {
            }
            Settle(outcome, 0, failure);
        } else {
            RetryOrGiveUp(done, read);
        }
    }
    // The clipboard is closed: the next viewer can read it too.
    PassOnRead();
    // The user's copy back goes before a change that came meanwhile: it was
    // asked for, and it takes that change's place (its text would be the copy's own).
    if (copy_ && !copy_->retryAt) WriteCopy();
    ReadWaiting();
}

void ClipManager::RetryOrGiveUp(const Read& read, const platform::ClipboardRead& found) {
    const platform::ReadStatus status = found.status;
    const std::uint32_t now = shell_.Now();
    if (waiting_) {
        Settle(Outcome::Replaced);  // the newer change is read next
        return;
    }
    // Memory that did not suffice once will not suffice 10 ms later.
    if (status == platform::ReadStatus::OutOfMemory) {
        Settle(Outcome::ReadFailed, found.error);
        return;
    }
    if (watch_ != Watch::Watching || now - read.change.firstTry >= kHeldLimitMs) {
        Settle(status == platform::ReadStatus::Held ? Outcome::HeldTooLong : Outcome::ReadFailed, found.error);
        return;
    }
    waiting_ = read.change;
    retryAt_ = now + kRetryMs;
}

void ClipManager::PassOnRead() {
    if (!owedByRead_ || reading_) return;
    owedByRead_ = false;
    shell_.PassOn();
}

void ClipManager::On(TickEvent&) {
    const std::uint32_t now = shell_.Now();
    if (reading_ && now - reading_->started >= kReadLimitMs) {
        // An owner that never renders keeps that read for good: the next
        // change is read by a fresh reader.
        shell_.GiveUpRead(reading_->id);
        const bool unwanted = reading_->unwanted;
        reading_.reset();
        if (!unwanted) Settle(waiting_ ? Outcome::Replaced : Outcome::ReadTooLong);
        PassOnRead();
    }
    if (copy_ && (!copy_->retryAt || Due(*copy_->retryAt, now)) && !reading_) {
        copy_->retryAt.reset();
        WriteCopy();
    }
    if (retryAt_ && Due(*retryAt_, now)) retryAt_.reset();
    ReadWaiting();
}

void ClipManager::On(CopyBackEvent& event) {
    if (!SlotUsed(event.slot) || watch_ == Watch::Ended) return;
    const Slot& slot = slots_[static_cast<std::size_t>(event.slot)];
    if (copy_ && copy_->clip != slot.clip) shell_.ShowCopyOutcome(copy_->slot, false);  // asked for another since
    copy_ = CopyRequest{event.slot, slot.clip, shell_.Now(), std::nullopt};
    // A read under way holds the clipboard: the copy waits for its end.
    if (!reading_) WriteCopy();
}

void ClipManager::WriteCopy() {
    if (!copy_ || reading_) return;
    const CopyRequest request = *copy_;
    const Slot& slot = slots_[static_cast<std::size_t>(request.slot)];
    if (!slot.used || slot.clip != request.clip) {
        copy_.reset();  // its clip was closed for good meanwhile: there is nothing left to copy
        return;
    }
    const bool watching = watch_ == Watch::Watching || watch_ == Watch::StartingUp;
    const WriteResult result = shell_.WriteClipText(request.slot, watching);
    if (watching && !result.rejoined) StopWatching(Watch::Suspended);
    const std::uint32_t now = shell_.Now();
    switch (result.outcome) {
        case WriteOutcome::Written:
            copy_.reset();
            // The copy comes back as no change, and a late notification of it brings nothing new.
            readSequence_ = shell_.ClipboardSequence();
            if (waiting_) {
                waiting_.reset();
                retryAt_.reset();
                Settle(Outcome::OwnCopy);
                SettledUnread();
            }
            shell_.ShowCopyOutcome(request.slot, true);
            return;
        case WriteOutcome::Held:
            if (now - request.askedAt < kHeldLimitMs) {
                copy_->retryAt = now + kRetryMs;
                return;
            }
            break;
        case WriteOutcome::Failed:
            break;
    }
    copy_.reset();
    shell_.ShowCopyOutcome(request.slot, false);
}

void ClipManager::On(StartUpEvent&) {
    if (watch_ != Watch::StartingUp) return;
    watch_ = Watch::Watching;
    ReadWaiting();
}

void ClipManager::StopWatching(Watch to) {
    if (reading_ && !reading_->unwanted) {
        reading_->unwanted = true;
        Settle(to == Watch::Ended ? Outcome::Ended : Outcome::Suspended);
    }
    if (waiting_) {
        waiting_.reset();
        retryAt_.reset();
        Settle(to == Watch::Ended ? Outcome::Ended : Outcome::Suspended);
    }
    // The read under way is given up as far as the chain is concerned.
    if (owedByRead_ || owedByWaiting_) {
        owedByRead_ = owedByWaiting_ = false;
        shell_.PassOn();
    }
    watch_ = to;
    if (to == Watch::Suspended) shell_.ShowWatching(false);
}

void ClipManager::On(SuspendEvent&) {
    if (watch_ != Watch::Watching && watch_ != Watch::StartingUp) return;
    StopWatching(Watch::Suspended);
    shell_.LeaveChain();
}

void ClipManager::On(ResumeEvent&) {
    if (watch_ != Watch::Suspended) return;
    try {
        shell_.JoinChain();
    } catch (...) {
        shell_.ShowWatching(false);  // Resume stays offered, to try once more
        throw;
    }
    watch_ = Watch::Watching;
    shell_.ShowWatching(true);
}

void ClipManager::On(QuitEvent&) {
    if (watch_ == Watch::Ended) return;
    if (reading_) shell_.GiveUpRead(reading_->id);
    StopWatching(Watch::Ended);
    reading_.reset();
    copy_.reset();
}

void ClipManager::On(CloseAllEvent&) {
    for (const int slot : CloseAllSelection(Table())) Close(slot);
}

void ClipManager::Reschedule() {
    const std::uint32_t now = shell_.Now();
    std::optional<std::uint32_t> next;
    if (reading_) next = Sooner(next, reading_->started + kReadLimitMs, now);
    if (retryAt_) next = Sooner(next, *retryAt_, now);
    if (copy_ && copy_->retryAt) next = Sooner(next, *copy_->retryAt, now);
    if (next == tickAt_) return;
    tickAt_ = next;
    if (!next) {
        shell_.ScheduleTick(std::nullopt);
        return;
    }
    shell_.ScheduleTick(Due(*next, now) ? 0 : *next - now);
}

}  // namespace clipboard
