#include "settings/TimePicture.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace settings {

namespace {

// ASCII only: bytes of the code page above 0x7F are never specifiers.
char Upper(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsLetter(char c) noexcept { return Upper(c) >= 'A' && Upper(c) <= 'Z'; }

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view prefix) noexcept {
    if (text.size() - at < prefix.size()) return false;
    for (std::size_t k = 0; k < prefix.size(); ++k) {
        if (Upper(text[at + k]) != prefix[k]) return false;
    }
    return true;
}

void AppendNumber(std::string& out, long long value, std::size_t minDigits) {
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    const std::string digits = std::to_string(magnitude);
    if (value < 0) out += '-';
    if (digits.size() < minDigits) out.append(minDigits - digits.size(), '0');
    out += digits;
}

template <std::size_t N>
const std::string& NameAt(const std::array<std::string, N>& names, long long index) {
    static const std::string none;
    return index >= 0 && index < static_cast<long long>(N) ? names[static_cast<std::size_t>(index)] : none;
}

class Formatter {
public:
    Formatter(const LocalTime& time, const LocaleFacts& locale, const LeadBytePredicate& isLeadByte)
        : time_(time), locale_(locale), isLeadByte_(isLeadByte) {}

    std::string Format(std::string_view picture) {
        if (picture.empty()) {
            // The locale's own pictures are formatted without this fallback, so
            // an empty one gives nothing instead of recursing for ever.
            Append(locale_.shortDatePicture);
            out_ += ' ';
            Append(locale_.longTimePicture);
        } else {
            Append(picture);
        }
        return std::move(out_);
    }

private:
    bool IsLead(char c) const { return isLeadByte_ && isLeadByte_(static_cast<unsigned char>(c)); }

    // Index of the quote that closes the one at `open`, or the end of the
    // picture when it is never closed. A lead byte takes its trail byte with
    // it, even one that looks like a quote.
    std::size_t ClosingQuote(std::string_view picture, std::size_t open) const {
        std::size_t i = open + 1;
        while (i < picture.size() && picture[i] != picture[open]) i += IsLead(picture[i]) ? 2 : 1;
        return i < picture.size() ? i : picture.size();
    }

    std::size_t RunLength(std::string_view picture, std::size_t at) const {
        std::size_t end = at + 1;
        while (end < picture.size() && Upper(picture[end]) == Upper(picture[at])) ++end;
        return end - at;
    }

    // Whether the first 'a' after an hour, outside quotes and before the next
    // hour, begins a twelve-hour marker.
    bool TwelveHourAfter(std::string_view picture, std::size_t from) const {
        std::size_t i = from;
        while (i < picture.size()) {
            const char c = picture[i];
            if (IsLead(c)) {
                i += 2;
            } else if (c == '\'' || c == '"') {
                i = ClosingQuote(picture, i) + 1;
            } else if (Upper(c) == 'H') {
                return false;
            } else if (Upper(c) == 'A') {
                return MarkerLength(picture, i) != 0;
            } else {
                ++i;
            }
        }
        return false;
    }

    static std::size_t MarkerLength(std::string_view picture, std::size_t at) noexcept {
        if (StartsWithNoCase(picture, at, "AM/PM")) return 5;
        if (StartsWithNoCase(picture, at, "A/P")) return 3;
        if (StartsWithNoCase(picture, at, "AMPM")) return 4;
        return 0;
    }

    void Append(std::string_view picture) {
        char lastLetter = 0;
        std::size_t i = 0;
        while (i < picture.size()) {
            const char c = picture[i];
            if (IsLead(c)) {
                const std::size_t n = i + 1 < picture.size() ? 2 : 1;
                out_.append(picture.substr(i, n));
                i += n;
                continue;
            }
            if (c == '\'' || c == '"') {
                const std::size_t close = ClosingQuote(picture, i);
                out_.append(picture.substr(i + 1, close - i - 1));
                i = close + 1;
                continue;
            }
            if (c == ':') {
                out_ += locale_.timeSeparator;
                ++i;
                continue;
            }
            if (c == '/') {
                out_ += locale_.dateSeparator;
                ++i;
                continue;
            }
            if (!IsLetter(c)) {
                out_ += c;
                ++i;
                continue;
            }
            char token = Upper(c);
            if (token == 'A') {
                i += AppendMarker(picture, i);
                lastLetter = token;
                continue;
            }
            const std::size_t run = RunLength(picture, i);
            if (token == 'M' && lastLetter == 'H' && run <= 2) token = 'N';
            if (!AppendSpecifier(token, run, picture, i)) {
                out_ += c;  // not a specifier: copy it alone, the rest of the run follows
                i += 1;
            } else {
                i += run;
            }
            lastLetter = token;
        }
    }

    std::size_t AppendMarker(std::string_view picture, std::size_t at) {
        const bool pm = time_.hour >= 12;
        const std::size_t length = MarkerLength(picture, at);
        if (length != 0) markerSeen_ = true;
        switch (length) {
            case 5: out_.append(picture.substr(at + (pm ? 3 : 0), 2)); return 5;  // as written: AM/PM, am/pm
            case 3: out_ += picture[at + (pm ? 2 : 0)]; return 3;
            case 4: out_ += pm ? locale_.pmString : locale_.amString; return 4;
            default: out_ += picture[at]; return 1;
        }
    }

    bool AppendSpecifier(char token, std::size_t run, std::string_view picture, std::size_t at) {
        const std::size_t width = run >= 2 ? 2 : 1;
        switch (token) {
            case 'H': {
                long long hour = time_.hour;
                // A marker before the hour ("AM/PM h:nn", the Korean "tt h:mm:ss")
                // holds for it and every later hour; else the marker after it decides.
                if (markerSeen_ || TwelveHourAfter(picture, at + run)) {
                    hour = ((hour % 12) + 12) % 12;
                    if (hour == 0) hour = 12;
                }
                AppendNumber(out_, hour, width);
                return true;
            }
            case 'N': AppendNumber(out_, time_.minute, width); return true;
            case 'S': AppendNumber(out_, time_.second, width); return true;
            case 'Z': AppendNumber(out_, time_.millisecond, run >= 3 ? 3 : 1); return true;
            case 'Y':
                if (run >= 3) {
                    AppendNumber(out_, time_.year, 4);
                } else {
                    AppendNumber(out_, time_.year % 100, 2);
                }
                return true;
            case 'M':
                if (run <= 2) {
                    AppendNumber(out_, time_.month, width);
                } else {
                    const auto& names = run == 3 ? locale_.shortMonthNames : locale_.longMonthNames;
                    out_ += NameAt(names, static_cast<long long>(time_.month) - 1);
                }
                return true;
            case 'D':
                if (run <= 2) {
                    AppendNumber(out_, time_.day, width);
                } else {
                    const auto& names = run == 3 ? locale_.shortDayNames : locale_.longDayNames;
                    out_ += NameAt(names, time_.dayOfWeek);
                }
                return true;
            default: return false;
        }
    }

    const LocalTime& time_;
    const LocaleFacts& locale_;
    const LeadBytePredicate& isLeadByte_;
    bool markerSeen_ = false;  // a twelve-hour marker was formatted: later hours are 12-hour
    std::string out_;
};

}  // namespace

std::string FormatTimePicture(std::string_view picture, const LocalTime& time, const LocaleFacts& locale,
                              const LeadBytePredicate& isLeadByte) {
    return Formatter(time, locale, isLeadByte).Format(picture);
}

}  // namespace settings
