#pragma once
// The clip manager: every clipboard change comes here. It reads the text,
// applies the double-copy rule, the large-text filter and the repeat rule,
// gives a new clip window the first free slot, and trims the clip windows to
// "Max Clip Count". It keeps the slot flags, the last slot, the clip counter,
// the pending text and the time of the last change; the windows themselves
// and the clipboard are reached through ClipWindows.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "clipboard/ClipRules.h"

namespace clipboard {

// One read of the clipboard, made once per change.
struct ClipboardRead {
    bool excluded = false;            // marked as a secret: no clip, no pending text
    std::optional<std::string> text;  // the text in the system code page; none without text
    std::wstring wideText;            // the same text as a paste would insert it
    bool held = false;                // another program had the clipboard open: nothing was read
    bool tooLarge = false;            // over the size limit asked for: the text was not read
    bool reading = false;             // still being read elsewhere: RetryRead comes when it is done
};

// The settings the manager reads at the moment it needs them.
struct ClipOptions {
    int maxClipCount = 3;         // "Max Clip Count :", 1..50
    bool ignoreLargeText = true;  // "Ignore Large Text"
    long long sizeOfText = 1000;  // "Size of Text :", bytes
    bool closeClipTimer = false;  // "Close Clip Timer"
    int countDown = 120;          // "Count Down :", seconds
    bool doubleCopy = false;      // "Clip Window only show Double Copyed"
};

// What the manager needs of the main window. Slots are 0 .. kClipSlots - 1.
class ClipWindows {
public:
    // Never waits for a clipboard another program holds (held is set then);
    // throws when the clipboard cannot be read. With a size limit, a text
    // that takes more bytes than that is not read (tooLarge is set then).
    // A read that takes long goes on elsewhere (reading is set then) and
    // calls ClipManager::RetryRead when it is done.
    virtual ClipboardRead ReadClipboard(std::optional<long long> sizeLimit) = 0;
    // Calls ClipManager::RetryRead once, delayMs from now, while the program
    // goes on with its messages; a later request replaces an earlier one.
    virtual void RetryRead(unsigned delayMs) = 0;
    // A number the system raises at every change of the clipboard; 0 when unknown.
    virtual std::uint32_t ClipboardSequence() = 0;
    virtual std::uint32_t TickCount() = 0;
    virtual ClipOptions Options() = 0;
    // Shows the start of the text in the sample memo.
    virtual void Preview(const std::string& text) = 0;
    // What the history limit sees of the window in a slot (open or closed by itself).
    virtual ClipEntry Entry(int slot) = 0;
    // Whether the text, as the sample memo takes it (up to its first NUL),
    // is the whole text of the clip in the slot.
    virtual bool IsClipText(int slot, const std::string& text) = 0;
    // Gives the window the focus if it can take it, which activates it.
    virtual void FocusClip(int slot) = 0;
    virtual void ShowFirstPage() = 0;
    // Puts a new clip window into the slot, replacing the one there; throws when none can be made.
    virtual void CreateClip(int slot) = 0;
    // Places the new window at the cursor, lays it out with the text and shows it (it activates).
    virtual void ShowClipWindow(int slot, std::wstring text) = 0;
    // Gives the shown window its serial and starts its count-down.
    virtual void StartClip(int slot, std::int32_t serial, int countDown, bool timerOn) = 0;
    // Closes the window and empties its entry.
    virtual void CloseClip(int slot) = 0;

protected:
    ~ClipWindows() = default;
};

class ClipManager {
public:
    explicit ClipManager(ClipWindows& windows) noexcept : windows_(windows) {}

    // The watcher's clip-change handler. A change that arrives while one is
    // being handled (a clipboard call lets it in) is handled right after it.
    // A notification that comes late, for a change already read (a burst of
    // copies queues them faster than windows are made), only moves the time.
    // Errors are dropped silently; the time of the change is kept in any case.
    // A change counts as read only once it was read: a clipboard another
    // program holds (or a read that fails) is tried again on RetryRead, up to
    // kHeldLimitMs after the change; a newer change takes the waiting one's place.
    void ClipboardChanged() noexcept;
    // The retry that ClipWindows::RetryRead was asked for.
    void RetryRead() noexcept;
    // Whether a change waits to be read.
    bool ReadWaiting() const noexcept { return waiting_.has_value(); }

    // A text the filter turns away is still read whole up to this many bytes:
    // the sample memo previews it and the repeat rule compares it with the
    // newest clip, as for any other text. A larger one is measured in its
    // clipboard block and never converted, copied or shown.
    static constexpr long long kPreviewBytes = 4096;
    static constexpr unsigned kRetryMs = 10;
    static constexpr std::uint32_t kHeldLimitMs = 5000;
    // The pending text becomes a clip window, or is dropped; it is cleared
    // unless an error stops the intake.
    void ShowClip();
    void TrimClips();
    void CloseAllClips();

    // A clip window was activated or pressed on its title bar: it becomes
    // the newest clip. Returns its new serial.
    std::int32_t TouchClipCounter() noexcept { return ++clipCounter_; }
    // A clip window closed: its slot can take a new clip.
    void ClipClosed(int slot) noexcept;

    bool SlotFlag(int slot) const noexcept;
    std::int32_t ClipCounter() const noexcept { return clipCounter_; }
    int LastSlot() const noexcept { return lastSlot_; }
    const std::string& PendingText() const noexcept { return pendingText_; }
    std::uint32_t LastChangeTime() const noexcept { return lastChangeTime_; }

private:
    // A change that has not been read yet.
    struct WaitingChange {
        std::uint32_t sequence = 0;
        std::uint32_t time = 0;          // of its first notification
        std::uint32_t previousTime = 0;  // of the change before it, for the double-copy rule
    };

    void Run(bool notified) noexcept;
    void HandleChange(bool notified);
    ClipTable Table();

    ClipWindows& windows_;
    std::array<bool, kClipSlots> slotFlags_{};
    int lastSlot_ = 0;
    std::int32_t clipCounter_ = 0;
    std::string pendingText_;   // system code page
    bool pendingTooLarge_ = false;  // the pending text is one the filter turned away unread
    std::size_t newestBytes_ = 0;   // the newest clip's text, in the system code page
    std::wstring clipboardText_;  // the text of the change being handled
    std::uint32_t lastChangeTime_ = 0;
    std::uint32_t handledSequence_ = 0;  // the clipboard's sequence number when it was last read
    std::optional<WaitingChange> waiting_;
    bool inChange_ = false;
    bool changeWhileBusy_ = false;
};

}  // namespace clipboard
