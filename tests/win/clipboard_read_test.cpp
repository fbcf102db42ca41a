// Reading the clipboard as the clip manager does.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "WinTestSupport.h"
#include "platform/Clipboard.h"

namespace {

bool PutRaw(UINT format, const void* bytes, size_t size) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    const bool placed = SetClipboardData(format, memory) != nullptr;
    CloseClipboard();
    return placed;
}

TEST(ClipboardRead, GivesEightBitTextWhicheverTextFormatWasPlaced) {
    ASSERT_TRUE(testsupport::SetClipboardText(L"unicode text"));
    auto snapshot = platform::ReadClipboardSnapshot(nullptr);
    ASSERT_TRUE(snapshot.text);
    EXPECT_EQ(*snapshot.text, "unicode text");
    EXPECT_FALSE(snapshot.excluded);

    ASSERT_TRUE(testsupport::SetClipboardAnsiText("ansi text"));
    snapshot = platform::ReadClipboardSnapshot(nullptr);
    ASSERT_TRUE(snapshot.text);
    EXPECT_EQ(*snapshot.text, "ansi text");
}

TEST(ClipboardRead, CharactersTheCodePageLacksBecomeItsDefaultCharacter) {
    // U+3042 (hiragana A) has no place in the Western code page the tests run with.
    ASSERT_EQ(GetACP(), 1252u);
    ASSERT_TRUE(testsupport::SetClipboardText(L"caf\u00E9 \u3042"));
    const auto snapshot = platform::ReadClipboardSnapshot(nullptr);
    ASSERT_TRUE(snapshot.text);
    EXPECT_EQ(*snapshot.text, "caf\xE9 ?");
}

TEST(ClipboardRead, TextWithoutATerminatorIsReadOnlyToTheEndOfItsBlock) {
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    ASSERT_TRUE(PutRaw(CF_TEXT, unterminated, sizeof unterminated));
    const auto snapshot = platform::ReadClipboardSnapshot(nullptr);
    ASSERT_TRUE(snapshot.text);
    // Nothing past the block is read. (Wine stores text formats with a
    // terminator in their last byte; Windows keeps all four letters.)
    EXPECT_FALSE(snapshot.text->empty());
    EXPECT_TRUE(std::string("abcd").starts_with(*snapshot.text)) << *snapshot.text;
}

TEST(ClipboardRead, AnEmptyClipboardHasNoText) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    const auto snapshot = platform::ReadClipboardSnapshot(nullptr);
    EXPECT_FALSE(snapshot.text);
    EXPECT_FALSE(snapshot.excluded);
}

TEST(ClipboardRead, AClipboardHeldByAnotherThreadIsWaitedFor) {
    ASSERT_TRUE(testsupport::SetClipboardText(L"held"));
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE holder = CreateThread(
        nullptr, 0,
        [](void* event) -> DWORD {
            OpenClipboard(nullptr);
            SetEvent(event);
            Sleep(40);
            CloseClipboard();
            return 0;
        },
        opened, 0, nullptr);
    WaitForSingleObject(opened, 2000);
    const auto snapshot = platform::ReadClipboardSnapshot(nullptr);
    WaitForSingleObject(holder, 2000);
    CloseHandle(holder);
    CloseHandle(opened);
    ASSERT_TRUE(snapshot.text);
    EXPECT_EQ(*snapshot.text, "held");
}

}  // namespace
