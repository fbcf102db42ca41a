#include <gtest/gtest.h>

#include "app/TrayLogic.h"

namespace {

// Shift-JIS lead bytes, as code page 932 has them.
bool ShiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

TEST(TrayTip, ShortTextsStayAndLongOnesAreCutAt63Bytes) {
    EXPECT_EQ(app::CutToBytes("Velmor", app::kTrayTipBytes), "Velmor");
    const std::string long100(100, 'a');
    EXPECT_EQ(app::CutToBytes(long100, app::kTrayTipBytes), std::string(63, 'a'));
    EXPECT_EQ(app::CutToBytes("", app::kTrayTipBytes), "");
}

TEST(TrayTip, NeverSplitsADoubleByteCharacter) {
    // 62 single bytes, then a two-byte character that would end at byte 64.
    std::string text(62, 'a');
    text += "\x83\x41";  // katakana A
    EXPECT_EQ(app::CutToBytes(text, 63, ShiftJisLead), std::string(62, 'a'));
    // One byte less before it: the character fits exactly.
    std::string fits(61, 'a');
    fits += "\x83\x41";
    EXPECT_EQ(app::CutToBytes(fits, 63, ShiftJisLead), fits);
    // A trail byte that looks like a lead byte is not read as one.
    const std::string pairs = "\x83\x83\x83\x83";
    EXPECT_EQ(app::CutToBytes(pairs, 3, ShiftJisLead), "\x83\x83");
    // A lead byte at the very end is a byte of its own.
    EXPECT_EQ(app::CutToBytes("ab\x83", 63, ShiftJisLead), "ab\x83");
}

TEST(TrayPresence, AddsAndRemovesOnceAndComesBackAfterExplorerRestarts) {
    app::TrayPresence tray;
    EXPECT_FALSE(tray.TaskbarRecreated());
    EXPECT_TRUE(tray.Add());
    EXPECT_FALSE(tray.Add());
    EXPECT_TRUE(tray.TaskbarRecreated());
    EXPECT_TRUE(tray.Remove());
    EXPECT_FALSE(tray.Remove());
    EXPECT_FALSE(tray.TaskbarRecreated()) << "no icon comes back in window mode";
}

}  // namespace
