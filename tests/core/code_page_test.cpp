// The multi-byte rules of code page 936 and the platform's text and date conversions.
#include <gtest/gtest.h>

#include <ctime>

#include "platform/code_page.h"
#include "platform/platform.h"

namespace scourix {
namespace {

TEST(CodePage, GbkLeadBytesAre81ToFE) {
  const CodePage gbk = CodePage::gbk();
  EXPECT_FALSE(gbk.isLeadByte(0x7F));
  EXPECT_FALSE(gbk.isLeadByte(0x80));
  EXPECT_TRUE(gbk.isLeadByte(0x81));
  EXPECT_TRUE(gbk.isLeadByte(0xD6));
  EXPECT_TRUE(gbk.isLeadByte(0xFE));
  EXPECT_FALSE(gbk.isLeadByte(0xFF));
  EXPECT_FALSE(CodePage::singleByte().isLeadByte(0x81));
}

TEST(CodePage, LastDotFindsTheLastFullStop) {
  const CodePage gbk = CodePage::gbk();
  EXPECT_EQ(gbk.lastDot("a.b.bak"), 3u);
  EXPECT_EQ(gbk.lastDot(".tmp"), 0u);
  EXPECT_EQ(gbk.lastDot("README"), std::string_view::npos);
  EXPECT_EQ(gbk.lastDot(""), std::string_view::npos);
  EXPECT_EQ(gbk.lastDot("x."), 1u);
}

TEST(CodePage, TrailByteFullStopIsNoFullStop) {
  const CodePage gbk = CodePage::gbk();
  // 0x81 0x2E is one character whose second byte happens to be '.'.
  EXPECT_EQ(gbk.lastDot("\x81\x2E" "abc"), std::string_view::npos);
  EXPECT_EQ(gbk.lastDot("a.\x81\x2E" "b"), 1u);
  EXPECT_EQ(gbk.lastDot("\xD6\xD0\x81\x2E.txt"), 4u);
  // Read as single bytes, the same text has a full stop.
  EXPECT_EQ(CodePage::singleByte().lastDot("\x81\x2E" "abc"), 1u);
}

TEST(CodePage, LoneLeadByteAtTheEndIsOneByte) {
  const CodePage gbk = CodePage::gbk();
  EXPECT_EQ(gbk.lastDot("a.\x81"), 1u);
  EXPECT_EQ(gbk.lower("AB\x81"), "ab\x81");
}

TEST(CodePage, LowerKeepsDoubleByteCharacters) {
  const CodePage gbk = CodePage::gbk();
  EXPECT_EQ(gbk.lower("REPORT.TMP"), "report.tmp");
  // The trail byte 'A' (0x41) belongs to the character and stays.
  EXPECT_EQ(gbk.lower("\x81\x41" "BC.TXT"), "\x81\x41" "bc.txt");
  EXPECT_EQ(gbk.lower("X\x81\x5A" "Y"), "x\x81\x5A" "y");
  EXPECT_EQ(CodePage::singleByte().lower("\x81\x41" "B"), "\x81" "ab");
  std::string text = "MiXeD";
  gbk.toLower(text);
  EXPECT_EQ(text, "mixed");
}

TEST(PlatformText, SystemCodePageIs936) {
  const CodePage& codePage = systemPlatform().codePage();
  EXPECT_TRUE(codePage.isLeadByte(0x81));
  EXPECT_TRUE(codePage.isLeadByte(0xFE));
  EXPECT_FALSE(codePage.isLeadByte(0x41));
}

TEST(PlatformText, WideToAnsiConvertsToCodePage936) {
  Platform& platform = systemPlatform();
  EXPECT_EQ(platform.wideToAnsi(u"abc.txt"), "abc.txt");
  EXPECT_EQ(platform.wideToAnsi(u"\u4E2D\u6587"), "\xD6\xD0\xCE\xC4");  // 中文
  EXPECT_EQ(platform.wideToAnsi(u""), "");
}

TEST(PlatformText, UnrepresentableCharactersBecomeQuestionMarks) {
  Platform& platform = systemPlatform();
  EXPECT_EQ(platform.wideToAnsi(u"a\u0E01b"), "a?b");  // a Thai letter
#ifndef _WIN32
  EXPECT_EQ(platform.wideToAnsi(u"x\U0001F600y"), "x?y");
  EXPECT_EQ(platform.wideToAnsi(std::u16string(u"a") + char16_t(0xD800)), "a?");
#endif
}

TEST(PlatformDate, LocalDateOfALocalNoon) {
  std::tm fields{};
  fields.tm_year = 2024 - 1900;
  fields.tm_mon = 2;
  fields.tm_mday = 15;
  fields.tm_hour = 12;
  fields.tm_isdst = -1;
  const std::time_t t = std::mktime(&fields);
  CalendarDate date;
  ASSERT_TRUE(systemPlatform().localDate(static_cast<std::int64_t>(t), date));
  EXPECT_EQ(date.year, 2024);
  EXPECT_EQ(date.month, 3);
  EXPECT_EQ(date.day, 15);
}

TEST(PlatformDate, TimesBefore1970HaveNoDate) {
  CalendarDate date;
  EXPECT_FALSE(systemPlatform().localDate(-1, date));
  EXPECT_FALSE(systemPlatform().localDate(-86400 * 400, date));
}

}  // namespace
}  // namespace scourix
