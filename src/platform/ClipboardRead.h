#pragma once
// What one read of the clipboard found, as the reader hands it to the clip
// manager. Portable.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/CompactText.h"

namespace platform {

// A copied text in the forms the clip manager needs.
struct ClipboardText {
    CompactText text;                 // what a paste inserts: up to its first NUL
    std::optional<std::string> ansi;  // the 8-bit bytes, when the copying program placed CF_TEXT
    unsigned codePage = 0;            // the ANSI code page of the input language it was copied in
    std::size_t ansiBytes = 0;        // its length in that code page, the large-text filter's measure
};

enum class ReadStatus {
    Read,         // the clipboard was read (it may hold no text)
    Held,         // another program had it open: nothing was read
    Failed,       // it was opened but could not be read (it changed meanwhile, a format vanished)
    OutOfMemory,  // the text did not fit in memory: reading it again would not help
};

enum class WriteOutcome {
    Written,
    Held,    // another program had the clipboard open: nothing was written
    Failed,
};

struct ClipboardRead {
    std::uint64_t id = 0;  // the read asked for
    ReadStatus status = ReadStatus::Read;
    // The clipboard's sequence number of what was read (for a clipboard
    // without text, from before the look); 0 when the system does not tell.
    // A number that has not moved since means nothing changed since this read.
    std::uint32_t sequence = 0;
    bool excluded = false;  // a privacy mark asked monitors to look away
    bool tooLarge = false;  // over the size limit asked for: the text was neither copied nor converted
    std::uint32_t error = 0;  // the system's error code when it was held or could not be read
    std::optional<ClipboardText> text;  // none without text
};

}  // namespace platform
