#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/TimePicture.h"

namespace {

using settings::FormatTimePicture;
using settings::LocaleFacts;
using settings::LocalTime;

// Thursday 7 March 2024, 14:05:09.042
constexpr LocalTime kAfternoon{2024, 3, 7, 4, 14, 5, 9, 42};

std::string Format(std::string_view picture, const LocalTime& time = kAfternoon, const LocaleFacts& locale = {}) {
    return FormatTimePicture(picture, time, locale);
}

LocalTime At(int hour) {
    LocalTime time = kAfternoon;
    time.hour = hour;
    return time;
}

TEST(TimePicture, DefaultTitlePictures) {
    EXPECT_EQ(Format("hh:mm ss"), "14:05 09");
    EXPECT_EQ(Format("hh:mm"), "14:05");
    LocalTime early = kAfternoon;
    early.hour = 7;
    EXPECT_EQ(Format("h:m:s"), "14:5:9");
    EXPECT_EQ(Format("hh:mm ss", early), "07:05 09");
}

TEST(TimePicture, SeparatorsComeFromTheLocale) {
    LocaleFacts locale;
    locale.timeSeparator = ".";
    locale.dateSeparator = "-";
    EXPECT_EQ(Format("hh:mm", kAfternoon, locale), "14.05");
    EXPECT_EQ(Format("yyyy/mm/dd", kAfternoon, locale), "2024-03-07");
}

TEST(TimePicture, MAfterAnHourIsMinuteOtherwiseMonth) {
    EXPECT_EQ(Format("mm/dd"), "03/07");
    EXPECT_EQ(Format("m"), "3");
    EXPECT_EQ(Format("hh mm"), "14 05");
    EXPECT_EQ(Format("hh'h'mm"), "14h05");      // quoted text is no letter of the picture
    EXPECT_EQ(Format("hh:ss mm"), "14:09 03");  // the seconds came last
    EXPECT_EQ(Format("hhxmm"), "14x03");        // any letter in between breaks the pair
    EXPECT_EQ(Format("hh mmm"), "14 Mar");      // three or more is always the month name
    EXPECT_EQ(Format("yyyy/mm/dd hh:nn"), "2024/03/07 14:05");
}

TEST(TimePicture, NamesNumbersAndYears) {
    EXPECT_EQ(Format("d dd ddd dddd"), "7 07 Thu Thursday");
    EXPECT_EQ(Format("mmm mmmm"), "Mar March");
    EXPECT_EQ(Format("yy yyyy"), "24 2024");
    EXPECT_EQ(Format("s.z s.zzz"), "9.42 9.042");
    EXPECT_EQ(Format("n nn"), "5 05");
    LocalTime y2005 = kAfternoon;
    y2005.year = 2005;
    EXPECT_EQ(Format("yy", y2005), "05");
}

TEST(TimePicture, LettersAreReadCaseInsensitivelyAndByRuns) {
    EXPECT_EQ(Format("HH:MM SS"), "14:05 09");
    EXPECT_EQ(Format("YYYY DDDD"), "2024 Thursday");
    EXPECT_EQ(Format("hhh"), "14");
    EXPECT_EQ(Format("ddddd mmmmm"), "Thursday March");
}

TEST(TimePicture, TwelveHourClock) {
    EXPECT_EQ(Format("h:nn AM/PM"), "2:05 PM");
    EXPECT_EQ(Format("h:nn am/pm", At(9)), "9:05 am");
    EXPECT_EQ(Format("hh A/P", At(0)), "12 A");
    EXPECT_EQ(Format("hh a/p", At(12)), "12 p");
    LocaleFacts locale;
    locale.amString = "a.m.";
    locale.pmString = "p.m.";
    EXPECT_EQ(Format("h AMPM", At(23), locale), "11 p.m.");
    EXPECT_EQ(Format("h ampm", At(11), locale), "11 a.m.");
    EXPECT_EQ(Format("h 'AM/PM'"), "14 AM/PM");
    EXPECT_EQ(Format("h at"), "14 at");  // an 'a' that starts no marker is copied
    // A marker sets the clock of every hour after it, and of the hour just before it.
    const struct {
        const char* picture;
        const char* at0005;
        const char* at1205;
        const char* at1405;
    } cases[] = {
        {"AM/PM h:nn", "AM 12:05", "PM 12:05", "PM 2:05"},
        {"ampm hh:nn", "AM 12:05", "PM 12:05", "PM 02:05"},
        {"A/P h", "A 12", "P 12", "P 2"},
        {"a/p h:nn - hh:nn", "a 12:05 - 12:05", "p 12:05 - 12:05", "p 2:05 - 02:05"},
        {"hh:nn - hh:nn AM/PM", "00:05 - 12:05 AM", "12:05 - 12:05 PM", "14:05 - 02:05 PM"},
        {"'AM/PM' h", "AM/PM 0", "AM/PM 12", "AM/PM 14"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.picture, At(0)), c.at0005) << c.picture;
        EXPECT_EQ(Format(c.picture, At(12)), c.at1205) << c.picture;
        EXPECT_EQ(Format(c.picture, At(14)), c.at1405) << c.picture;
    }
}

TEST(TimePicture, QuotedAndOtherText) {
    EXPECT_EQ(Format("'hh' hh"), "hh 14");
    EXPECT_EQ(Format("\"mm:ss\" ss"), "mm:ss 09");
    EXPECT_EQ(Format("\"it's\""), "it's");
    EXPECT_EQ(Format("''"), "");
    EXPECT_EQ(Format("[hh] #1!"), "[14] #1!");
    EXPECT_EQ(Format("hh 'open to the end"), "14 open to the end");
    EXPECT_EQ(Format("'"), "");
}

TEST(TimePicture, EmptyPictureIsShortDateAndLongTime) {
    EXPECT_EQ(Format(""), "2024/03/07 14:05:09");
    LocaleFacts locale;
    locale.shortDatePicture = "dd.mm.yyyy";
    locale.longTimePicture = "hh:nn:ss";
    EXPECT_EQ(Format("", kAfternoon, locale), "07.03.2024 14:05:09");
    locale.shortDatePicture.clear();  // never falls back on itself
    locale.longTimePicture.clear();
    EXPECT_EQ(Format("", kAfternoon, locale), " ");
}

TEST(TimePicture, DoubleByteCharactersAreCopiedWhole) {
    const settings::LeadBytePredicate shiftJis = [](unsigned char c) {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    };
    const auto format = [&](std::string_view picture) { return FormatTimePicture(picture, kAfternoon, {}, shiftJis); };
    EXPECT_EQ(format("\x82hh"), "\x82h14");         // the trail byte 'h' is not an hour
    EXPECT_EQ(format("hh\x82"), "14\x82");          // a lead byte at the end stays alone
    EXPECT_EQ(format("'\x82'x' h"), "\x82'x 14");   // a trail quote does not close the text
    EXPECT_EQ(format("h \x82" "a/p"), "14 \x82" "a/p");  // the trail 'a' starts no marker
    EXPECT_EQ(format("h\x82mm"), "14\x82m5");         // nor a letter that would make m the month
    // hh時mm分: a double-byte character between hour and m keeps m the minute.
    EXPECT_EQ(format("hh\x8E\x9Emm\x95\xAA"), "14\x8E\x9E" "05\x95\xAA");
    EXPECT_EQ(FormatTimePicture("\x82hh", kAfternoon, {}), "\x82" "14");  // single-byte code page
}

TEST(TimePicture, OutOfRangeFieldsPrintWithoutFailing) {
    LocalTime odd{INT_MIN, 13, -1, 7, INT_MIN, INT_MAX, -3, 1000};
    EXPECT_EQ(Format("mmm mmmm ddd dddd|", odd), "   |");
    EXPECT_EQ(Format("m/d", odd), "13/-1");
    EXPECT_EQ(Format("hh nn ss zzz", odd), "-2147483648 2147483647 -03 1000");
    EXPECT_EQ(Format("h AM/PM", odd), "4 AM");
    odd.month = 0;
    odd.dayOfWeek = -1;
    EXPECT_EQ(Format("mmm dddd yyyy yy", odd), "  -2147483648 -48");
}

}  // namespace
