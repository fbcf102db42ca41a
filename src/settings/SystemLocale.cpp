#include "settings/SystemLocale.h"

#include <windows.h>

#include "settings/WindowsPicture.h"

namespace settings {

namespace {

std::string LocaleString(LCTYPE type, const char* fallback) {
    char buffer[128] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) <= 1) return fallback;
    return buffer;
}

LocaleFacts ReadLocale() {
    LocaleFacts facts;
    facts.timeSeparator = LocaleString(LOCALE_STIME, ":");
    facts.dateSeparator = LocaleString(LOCALE_SDATE, "/");
    facts.shortDatePicture = FromWindowsPicture(LocaleString(LOCALE_SSHORTDATE, "yyyy/MM/dd"));
    facts.longTimePicture = FromWindowsPicture(LocaleString(LOCALE_STIMEFORMAT, "H:mm:ss"));
    // Windows numbers day names from Monday; the formatter from Sunday.
    for (int day = 0; day < 7; ++day) {
        const int windowsDay = (day + 6) % 7;
        facts.shortDayNames[static_cast<size_t>(day)] =
            LocaleString(static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + windowsDay), facts.shortDayNames[static_cast<size_t>(day)].c_str());
        facts.longDayNames[static_cast<size_t>(day)] =
            LocaleString(static_cast<LCTYPE>(LOCALE_SDAYNAME1 + windowsDay), facts.longDayNames[static_cast<size_t>(day)].c_str());
    }
    for (int month = 0; month < 12; ++month) {
        const auto index = static_cast<size_t>(month);
        facts.shortMonthNames[index] = LocaleString(static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + month), facts.shortMonthNames[index].c_str());
        facts.longMonthNames[index] = LocaleString(static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + month), facts.longMonthNames[index].c_str());
    }
    facts.amString = LocaleString(LOCALE_S1159, "AM");
    facts.pmString = LocaleString(LOCALE_S2359, "PM");
    return facts;
}

}  // namespace

const LocaleFacts& SystemLocaleFacts() {
    static const LocaleFacts facts = ReadLocale();
    return facts;
}

LocalTime CurrentLocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth,  now.wDay,    now.wDayOfWeek,
                     now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

std::string FormatNow(const std::string& picture) {
    return FormatTimePicture(picture, CurrentLocalTime(), SystemLocaleFacts(),
                             [](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; });
}

}  // namespace settings
