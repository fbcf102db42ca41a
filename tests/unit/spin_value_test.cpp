#include <gtest/gtest.h>

#include <climits>

#include "ui/SpinValue.h"

namespace {

using ui::SpinRange;

TEST(SpinValueParse, AcceptsWholeNumbersOnly) {
    EXPECT_EQ(ui::ParseSpinText(L"42"), 42);
    EXPECT_EQ(ui::ParseSpinText(L"-7"), -7);
    EXPECT_EQ(ui::ParseSpinText(L"+7"), 7);
    EXPECT_EQ(ui::ParseSpinText(L"  12 "), 12);
    EXPECT_EQ(ui::ParseSpinText(L"007"), 7);
    EXPECT_EQ(ui::ParseSpinText(L"2147483647"), INT_MAX);
    EXPECT_EQ(ui::ParseSpinText(L"-2147483648"), INT_MIN);
    for (const wchar_t* text : {L"", L" ", L"-", L"+", L"1 2", L"12a", L"a12", L"1.5", L"--1", L"+-1", L"0x10",
                                L"2147483648", L"-2147483649", L"99999999999999999999", L"\x0661"}) {
        EXPECT_FALSE(ui::ParseSpinText(text).has_value()) << "text: " << testing::PrintToString(std::wstring(text));
    }
}

TEST(SpinValueRange, EqualLimitsLeaveTheValueFree) {
    EXPECT_EQ(ui::ClampSpinValue(-500, SpinRange{}), -500);
    EXPECT_EQ(ui::ClampSpinValue(INT_MAX, SpinRange{}), INT_MAX);
    EXPECT_EQ(ui::ClampSpinValue(9, SpinRange{5, 5}), 9);
    EXPECT_EQ(ui::ClampSpinValue(0, SpinRange{1, 50}), 1);
    EXPECT_EQ(ui::ClampSpinValue(51, SpinRange{1, 50}), 50);
    EXPECT_EQ(ui::ClampSpinValue(50, SpinRange{1, 50}), 50);
    EXPECT_EQ(ui::ClampSpinValue(1, SpinRange{1, 50}), 1);
}

TEST(SpinValueOfText, NotANumberGivesTheMinimumAndNumbersAreClamped) {
    const SpinRange clips{1, 50};
    EXPECT_EQ(ui::SpinValueOfText(L"abc", clips), 1);
    EXPECT_EQ(ui::SpinValueOfText(L"", clips), 1);
    EXPECT_EQ(ui::SpinValueOfText(L"99", clips), 50);
    EXPECT_EQ(ui::SpinValueOfText(L"-3", clips), 1);
    EXPECT_EQ(ui::SpinValueOfText(L"20", clips), 20);
    EXPECT_EQ(ui::SpinValueOfText(L"abc", SpinRange{}), 0);
    EXPECT_EQ(ui::SpinValueOfText(L"-300", SpinRange{}), -300);
    EXPECT_EQ(ui::SpinValueOfText(L"99999999999", SpinRange{}), 0) << "too large for an int is not a number";
}

TEST(SpinValueStep, StepsClampAndSaturate) {
    EXPECT_EQ(ui::StepSpinValue(3, 1, 1, SpinRange{1, 50}), 4);
    EXPECT_EQ(ui::StepSpinValue(50, 1, 1, SpinRange{1, 50}), 50);
    EXPECT_EQ(ui::StepSpinValue(1, 1, -1, SpinRange{1, 50}), 1);
    EXPECT_EQ(ui::StepSpinValue(0, 1, -1, SpinRange{}), -1);
    EXPECT_EQ(ui::StepSpinValue(10, 5, -3, SpinRange{}), -5);
    EXPECT_EQ(ui::StepSpinValue(INT_MAX, 1, 1, SpinRange{}), INT_MAX);
    EXPECT_EQ(ui::StepSpinValue(INT_MIN, 10, -1, SpinRange{}), INT_MIN);
    // A value outside the range (typed, not yet left) steps back into it.
    EXPECT_EQ(ui::StepSpinValue(80, 1, 1, SpinRange{1, 50}), 50);
}

TEST(SpinValueText, RoundTripsAndFiltersTyping) {
    for (const int value : {0, -1, 17, INT_MAX, INT_MIN}) EXPECT_EQ(ui::ParseSpinText(ui::SpinText(value)), value);
    EXPECT_TRUE(ui::IsSpinInputChar(L'0'));
    EXPECT_TRUE(ui::IsSpinInputChar(L'9'));
    EXPECT_TRUE(ui::IsSpinInputChar(L'-'));
    EXPECT_TRUE(ui::IsSpinInputChar(L'\b')) << "backspace edits";
    EXPECT_TRUE(ui::IsSpinInputChar(L'\x16')) << "Ctrl+V pastes";
    EXPECT_FALSE(ui::IsSpinInputChar(L'a'));
    EXPECT_FALSE(ui::IsSpinInputChar(L'.'));
    EXPECT_FALSE(ui::IsSpinInputChar(L' '));
}

}  // namespace
