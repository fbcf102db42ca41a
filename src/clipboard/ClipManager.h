#pragma once
// The clip manager: the one owner of a copy's road. A change of the
// clipboard is notified, read beside the GUI thread, passed on to the next
// viewer once the read has closed the clipboard, and made a clip window or
// dropped by a rule; a clip's copy back waits for a read under way, then
// writes. The manager takes events (a notification, a read's end, a timer
// tick, a copy back, suspend and resume, the end of start-up, quit) and
// answers through ClipShell with what the program around it must do. Every
// state of the road lives here: the watching state, the read in flight, the
// change waiting for its read, the notification owed to the next viewer,
// the copy back waiting for its turn, and the clip table with its slots and
// serials. Events that come while one is handled (a call of the shell lets a
// sent message in) are handled after it, in order: nothing nests. Portable.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>
#include <variant>

#include "clipboard/ClipRules.h"
#include "clipboard/RoadSettings.h"
#include "platform/ClipboardRead.h"

namespace clipboard {

// How a notified change ended: each one ends in exactly one of these.
enum class Outcome {
    Clip,           // a new clip window shows it
    Repeat,         // the newest clip's text again: that clip came forward instead
    TooLarge,       // the large-text filter turned it away
    NoFreeSlot,     // all 51 clip windows are open
    NoText,         // nothing to show
    NotDoubleCopy,  // double copy mode, and not the second of two quick copies: its text waits
    Secret,         // a privacy mark asked to look away
    AlreadyRead,    // a late notification of a change that was read already
    Replaced,       // a newer change came before it could be read; the newer one is read
    OwnCopy,        // the program's own copy back took the clipboard before it could be read
    Suspended,      // watching was suspended before it was shown
    HeldTooLong,    // another program held the clipboard past the limit: given up
    ReadTooLong,    // the read took longer than its limit: given up
    ReadFailed,     // the clipboard could not be read, or its text did not fit in memory
    WindowFailed,   // no clip window could be made or shown
    Ended,          // the program ended before it was read
};
const char* OutcomeName(Outcome outcome) noexcept;

using platform::WriteOutcome;
struct WriteResult {
    WriteOutcome outcome = WriteOutcome::Written;
    bool rejoined = true;  // false: the chain could not be joined again after the write
};

// The states of the road, named for the documentation and the tests.
enum class RoadState {
    StartingUp,  // in the chain; a change waits for the end of start-up
    Idle,        // watching, nothing under way
    Reading,     // a read is under way
    Retrying,    // a change waits for a clipboard another program holds
    Suspended,   // out of the chain
    Ended,       // the program is ending
};

// What the manager asks of the program around it. Slots are 0 .. kClipSlots - 1.
class ClipShell {
public:
    virtual std::uint32_t Now() = 0;                // a millisecond tick count
    virtual std::uint32_t ClipboardSequence() = 0;  // 0 when the system does not tell
    // The settings as they stand now.
    virtual RoadSettings CurrentSettings() = 0;

    // The viewer chain. Joining throws when it cannot be done.
    virtual void JoinChain() = 0;
    virtual void LeaveChain() = 0;
    // The menus offer Suspend exactly while watching.
    virtual void ShowWatching(bool watching) = 0;
    // Tells the next viewer of the chain of a change.
    virtual void PassOn() = 0;

    // Starts reading the clipboard as it is now; its end comes as
    // ClipManager::ReadEnded with this id, maybe before this returns.
    virtual void StartRead(std::uint64_t id, std::optional<long long> sizeLimit) = 0;
    // Leaves the read under way to end on its own; its result is not wanted,
    // and the next read starts afresh.
    virtual void GiveUpRead(std::uint64_t id) = 0;
    // Calls ClipManager::Tick once, delayMs from now, replacing what was
    // asked before; none: no tick is wanted.
    virtual void ScheduleTick(std::optional<std::uint32_t> delayMs) = 0;

    // Writes the text of the clip in the slot to the clipboard, without
    // waiting for a clipboard another program holds (Held then). With
    // outsideChain, the watcher leaves the chain around the write, so that
    // the copy comes back as no change.
    virtual WriteResult WriteClipText(int slot, bool outsideChain) = 0;
    // The clip's window shows that its text was copied, or that nothing was.
    virtual void ShowCopyOutcome(int slot, bool copied) = 0;
    // How a change ended; the program may trace it. systemError is the
    // failed read's error code (0 when none), failure an error's message.
    virtual void Settled(Outcome outcome, std::uint32_t systemError, std::string_view failure) = 0;

    // The sample memo shows the start of the text.
    virtual void Preview(const platform::ClipboardText& text) = 0;
    // Whether the text, as the sample memo takes it, is the whole text of the clip in the slot.
    virtual bool IsClipText(int slot, const platform::ClipboardText& text) = 0;
    virtual bool Pinned(int slot) = 0;
    // Gives the clip's window the focus if it can take it (it activates).
    virtual void FocusClip(int slot) = 0;
    virtual void ShowFirstPage() = 0;
    // Puts a new clip window into the slot, replacing the one there; throws when none can be made.
    virtual void MakeClipWindow(int slot) = 0;
    // Places the slot's new window at the cursor, lays it out with the text,
    // shows it (it activates) and starts its count-down.
    virtual void ShowClip(int slot, platform::CompactText text, int countDown, bool timerOn) = 0;
    // Closes the slot's window and empties the slot.
    virtual void CloseClip(int slot) = 0;

protected:
    ~ClipShell() = default;
};

class ClipManager {
public:
    explicit ClipManager(ClipShell& shell) noexcept : shell_(shell) {}

    // A text the filter turns away is still read whole up to this many bytes:
    // the sample memo previews it and the repeat rule compares it with the
    // newest clip, as for any other text. A larger one is measured in its
    // clipboard block and never converted, copied or shown.
    static constexpr long long kPreviewBytes = 4096;
    // A clipboard another program holds is tried again this often, up to
    // kHeldLimitMs after the change (or the copy back) first tried it.
    static constexpr std::uint32_t kRetryMs = 10;
    static constexpr std::uint32_t kHeldLimitMs = 5000;
    // A read that takes longer is given up: an owner that never renders
    // must not stop the program from reading the next change. A text of
    // 100 MB takes Wine a few seconds to hand over.
    static constexpr std::uint32_t kReadLimitMs = 8000;

    // Joins the viewer chain; changes notified before StartUpFinished wait
    // for it. Throws when the chain cannot be joined (the menus show
    // watching suspended).
    void StartWatching();
    void StartUpFinished() noexcept;
    // The watcher's notification of a change. The manager passes it on.
    void Notified() noexcept;
    void ReadEnded(platform::ClipboardRead read) noexcept;
    void Tick() noexcept;
    // A clip's copy back, asked for by a double click on its title bar.
    void CopyBack(int slot) noexcept;
    void Suspend() noexcept;
    // Throws when the chain cannot be joined; watching stays suspended then.
    void Resume();
    // Gives up what is under way; nothing waits for a read.
    void Quit() noexcept;
    void CloseAllClips() noexcept;

    // A clip window was activated or pressed on its title bar: it becomes the newest clip.
    void ClipTouched(int slot) noexcept;
    // A clip window closed itself: its slot can take a new clip.
    void ClipClosed(int slot) noexcept;

    RoadState State() const noexcept;
    bool Watching() const noexcept { return watch_ == Watch::Watching || watch_ == Watch::StartingUp; }
    bool SlotFlag(int slot) const noexcept;
    // Whether the slot holds a clip window, open or closed by itself.
    bool SlotUsed(int slot) const noexcept;
    std::int32_t Serial(int slot) const noexcept;
    std::int32_t ClipCounter() const noexcept { return clipCounter_; }
    int LastSlot() const noexcept { return lastSlot_; }
    // The text waiting for a clip (double copy mode keeps it between changes).
    const std::optional<platform::ClipboardText>& PendingText() const noexcept { return pending_; }
    std::uint32_t LastChangeTime() const noexcept { return lastChangeTime_; }
    // Changes notified and changes settled: equal whenever nothing is under way.
    std::uint64_t Notifications() const noexcept { return notifications_; }
    std::uint64_t Settlements() const noexcept { return settlements_; }

private:
    enum class Watch { StartingUp, Watching, Suspended, Ended };
    // A change notified and not yet read.
    struct Change {
        std::uint32_t time = 0;          // of its notification
        std::uint32_t previousTime = 0;  // of the notification before it, for the double-copy rule
        std::uint32_t firstTry = 0;      // of its first read, for the held limit
    };
    struct Read {
        std::uint64_t id = 0;
        Change change;
        std::uint32_t started = 0;
        bool unwanted = false;  // its change was settled meanwhile (suspended): the result goes nowhere
    };
    struct CopyRequest {
        int slot = 0;
        std::uint64_t clip = 0;  // the clip asked for, which its slot may have lost meanwhile
        std::uint32_t askedAt = 0;
        std::optional<std::uint32_t> retryAt;  // another program held the clipboard
    };
    struct Slot {
        bool used = false;  // holds a window, open or closed by itself
        bool open = false;  // the slot flag
        std::int32_t serial = 0;
        std::uint64_t clip = 0;
    };

    struct NotifiedEvent {};
    struct ReadEndedEvent {
        platform::ClipboardRead read;
    };
    struct TickEvent {};
    struct CopyBackEvent {
        int slot = 0;
    };
    struct StartUpEvent {};
    struct SuspendEvent {};
    struct ResumeEvent {};
    struct QuitEvent {};
    struct CloseAllEvent {};
    using Event = std::variant<NotifiedEvent, ReadEndedEvent, TickEvent, CopyBackEvent, StartUpEvent, SuspendEvent,
                               ResumeEvent, QuitEvent, CloseAllEvent>;

    // Handles the event, and those that come meanwhile; rethrows what the
    // event itself threw, once the others are handled.
    void Post(Event event);
    // Post for the events whose failure nobody is told of.
    void PostQuietly(Event event) noexcept;
    void On(NotifiedEvent&);
    void On(ReadEndedEvent& event);
    void On(TickEvent&);
    void On(CopyBackEvent& event);
    void On(StartUpEvent&);
    void On(SuspendEvent&);
    void On(ResumeEvent&);
    void On(QuitEvent&);
    void On(CloseAllEvent&);

    void Settle(Outcome outcome, std::uint32_t systemError = 0, std::string_view failure = {});
    void ReadWaiting();
    void RetryOrGiveUp(const Read& read, const platform::ClipboardRead& found);
    // Tells the next viewer of the notifications the last read covered, once no read holds the clipboard.
    void PassOnRead();
    // The waiting change was settled without a read: its notification is owed as a read's would be.
    void SettledUnread();
    void WriteCopy();
    void StopWatching(Watch to);
    void Reschedule();
    std::optional<long long> SizeLimit(const RoadSettings& settings) const;
    bool AlreadyRead(std::uint32_t sequence) const noexcept;

    // The rules: what a read change becomes (ClipIntake.cpp).
    Outcome Intake(const Change& change, platform::ClipboardRead& read);
    Outcome ShowClip(bool currentText);
    void TrimClips();
    void Close(int slot);
    ClipTable Table();

    ClipShell& shell_;
    std::deque<Event> queue_;
    bool running_ = false;

    Watch watch_ = Watch::StartingUp;
    std::optional<Read> reading_;
    std::optional<Change> waiting_;
    std::optional<std::uint32_t> retryAt_;  // when the waiting change is tried again
    // Notifications not yet passed on: of changes the read under way (or
    // just ended) covers, and of the change waiting to be read.
    bool owedByRead_ = false;
    bool owedByWaiting_ = false;
    std::optional<CopyRequest> copy_;
    std::optional<std::uint32_t> tickAt_;  // the tick asked of the shell
    std::uint64_t readIds_ = 0;
    // The clipboard's sequence number after the last read or own copy: a
    // notification that finds it unmoved brings nothing new.
    std::uint32_t readSequence_ = 0;
    std::uint32_t lastChangeTime_ = 0;
    std::uint64_t notifications_ = 0;
    std::uint64_t settlements_ = 0;

    std::array<Slot, kClipSlots> slots_{};
    std::uint64_t clipIds_ = 0;
    int lastSlot_ = 0;
    std::int32_t clipCounter_ = 0;
    std::optional<platform::ClipboardText> pending_;  // the 8-bit text waiting for a clip, with its UTF-16 form
    bool pendingTooLarge_ = false;  // the pending text is one the filter turned away unread
    std::size_t newestBytes_ = 0;   // the newest clip's text, in the system code page
};

}  // namespace clipboard
