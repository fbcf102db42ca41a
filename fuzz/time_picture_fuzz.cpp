// Feeds arbitrary pictures, times and locale pictures to the time formatter:
// it must return for every input without reading out of bounds or recursing.
//
// Input: the six locale texts, each ended by a backslash and one more byte,
// then the picture; the time's eight numbers and the code page come from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/TimePicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);

    settings::LocalTime time;
    time.year = input.ConsumeIntegral<int>();
    time.month = input.ConsumeIntegral<int>();
    time.day = input.ConsumeIntegral<int>();
    time.dayOfWeek = input.ConsumeIntegral<int>();
    time.hour = input.ConsumeIntegral<int>();
    time.minute = input.ConsumeIntegral<int>();
    time.second = input.ConsumeIntegral<int>();
    time.millisecond = input.ConsumeIntegral<int>();

    settings::LocaleFacts locale;
    locale.timeSeparator = input.ConsumeRandomLengthString(8);
    locale.dateSeparator = input.ConsumeRandomLengthString(8);
    locale.shortDatePicture = input.ConsumeRandomLengthString(64);
    locale.longTimePicture = input.ConsumeRandomLengthString(64);
    locale.amString = input.ConsumeRandomLengthString(8);
    locale.pmString = input.ConsumeRandomLengthString(8);

    // Single-byte, Shift-JIS-like or every byte a lead byte.
    settings::LeadBytePredicate isLeadByte;
    switch (input.ConsumeIntegralInRange(0, 2)) {
        case 1: isLeadByte = [](unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }; break;
        case 2: isLeadByte = [](unsigned char) { return true; }; break;
        default: break;
    }

    const std::string picture = input.ConsumeRemainingBytesAsString();
    const std::string result = settings::FormatTimePicture(picture, time, locale, isLeadByte);
    // Each byte of a picture gives at most a number, a name or a separator,
    // none longer than 11 bytes here: anything more means runaway output.
    const std::size_t pictureBytes = picture.size() + locale.shortDatePicture.size() + locale.longTimePicture.size() + 1;
    if (result.size() > pictureBytes * 16) std::abort();
    return 0;
}
