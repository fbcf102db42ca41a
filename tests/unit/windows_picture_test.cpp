#include <gtest/gtest.h>

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
}

}  // namespace
