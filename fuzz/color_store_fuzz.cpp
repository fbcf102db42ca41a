// Stored custom-colour lines as a user's INI file or registry may hold them:
// reading the slots must either succeed or fail with the error, and what is
// written back must read again to the same slots.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Error.h"
#include "widgets/CustomColorList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    widgets::CustomColorList list;
    list.Clear();
    std::string line;
    for (std::size_t i = 0; i < size; ++i) {
        const char ch = static_cast<char>(data[i]);
        if (ch == '\n') {
            list.Add(line);
            line.clear();
        } else {
            line += ch;
        }
    }
    list.Add(line);
    try {
        const auto slots = list.Slots();
        list.SetSlots(slots);
        if (list.Slots() != slots) std::abort();
    } catch (const platform::Error&) {
    }
    return 0;
}
