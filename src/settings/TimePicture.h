#pragma once
// Formats a local time with a date-time picture, the format of clip-window
// titles and of the settings page's time sample. Pictures and results are
// 8-bit strings in the system code page.
//
//   h hh       hour (hh two digits); 12-hour clock after an AM/PM, A/P or
//              AMPM anywhere before it, or when the next 'a' after it starts one
//   n nn       minute
//   m mm       minute when the last letter before it (outside quotes) is an
//              hour, else month
//   mmm mmmm   short and long month name
//   s ss       second
//   z zzz      millisecond (zzz three digits)
//   d dd       day of month;  ddd dddd  short and long day name
//   yy yyyy    year (two and four digits)
//   AM/PM A/P  the marker as written in the picture;  AMPM  the locale's strings
//   :  /       the locale's time and date separators
//   '..' ".."  text copied as is
// Letters are read case-insensitively; a run of one letter is one specifier
// (hhh is hh, ddddd is dddd). Anything else is copied. An empty picture gives
// the locale's short date, a blank and its long time.
#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace settings {

struct LocalTime {
    int year = 0;
    int month = 1;        // 1..12
    int day = 1;          // 1..31
    int dayOfWeek = 0;    // 0 Sunday .. 6 Saturday
    int hour = 0;         // 0..23
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

struct LocaleFacts {
    std::string timeSeparator = ":";
    std::string dateSeparator = "/";
    std::string shortDatePicture = "yyyy/mm/dd";  // in the picture language above
    std::string longTimePicture = "h:nn:ss";
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                               "July",    "August",   "September", "October", "November", "December"};
    std::string amString = "AM";
    std::string pmString = "PM";
};

// True for a lead byte of the system's double-byte code page: it and the byte
// after it form one character and are copied together. Empty: no lead bytes.
using LeadBytePredicate = std::function<bool(unsigned char)>;

// Out-of-range fields print as numbers as they are and give empty names.
std::string FormatTimePicture(std::string_view picture, const LocalTime& time, const LocaleFacts& locale,
                              const LeadBytePredicate& isLeadByte = {});

}  // namespace settings
