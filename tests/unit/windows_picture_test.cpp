#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "settings/TimePicture.h"
#include "settings/WindowsPicture.h"

namespace {

TEST(WindowsPicture, RenamesTheAmPmMarkerAndKeepsQuotedText) {
    EXPECT_EQ(settings::FromWindowsPicture("h:mm:ss tt"), "h:mm:ss ampm");
    EXPECT_EQ(settings::FromWindowsPicture("H:mm:ss"), "H:mm:ss");
    EXPECT_EQ(settings::FromWindowsPicture("t h:mm"), "ampm h:mm");
    EXPECT_EQ(settings::FromWindowsPicture("'at' HH:mm"), "'at' HH:mm");
    EXPECT_EQ(settings::FromWindowsPicture(""), "");
}

TEST(WindowsPicture, USLocalePicturesFormatAsWindowsShowsThem) {
    settings::LocaleFacts us;
    us.shortDatePicture = settings::FromWindowsPicture("M/d/yyyy");
    us.longTimePicture = settings::FromWindowsPicture("h:mm:ss tt");
    const settings::LocalTime time{2026, 12, 8, 2, 14, 5, 9, 0};
    EXPECT_EQ(settings::FormatTimePicture("", time, us), "12/8/2026 2:05:09 PM");
    // The long-time pictures of some locales, as Windows shows them.
    const struct {
        const char* locale;
        const char* picture;
        const char* at0005;
        const char* at1205;
        const char* at1405;
    } cases[] = {
        {"en-US", "h:mm:ss tt", "12:05:09 AM", "12:05:09 PM", "2:05:09 PM"},
        {"ko-KR", "tt h:mm:ss", "AM 12:05:09", "PM 12:05:09", "PM 2:05:09"},
        {"zh-TW", "tt hh:mm:ss", "AM 12:05:09", "PM 12:05:09", "PM 02:05:09"},
        {"ja-JP", "H:mm:ss", "0:05:09", "12:05:09", "14:05:09"},
        {"de-DE", "HH:mm:ss", "00:05:09", "12:05:09", "14:05:09"},
        {"ar-SA", "hh:mm:ss tt", "12:05:09 AM", "12:05:09 PM", "02:05:09 PM"},
    };
    for (const auto& c : cases) {
        const std::string picture = settings::FromWindowsPicture(c.picture);
        for (const auto& [hour, expected] : {std::pair{0, c.at0005}, {12, c.at1205}, {14, c.at1405}}) {
            const settings::LocalTime at{2026, 12, 8, 2, hour, 5, 9, 0};
            EXPECT_EQ(settings::FormatTimePicture(picture, at, us), expected) << c.locale << " at " << hour;
        }
    }
}

}  // namespace
