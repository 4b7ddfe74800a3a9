#include "settings/archive.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "core/settings_test_support.h"
#include "platform/platform.h"

namespace scourix {
namespace {

using test::Bytes;
using namespace std::string_literals;

std::string stored(const std::string& text) {
  std::string sink;
  Archive archive(sink, systemPlatform());
  archive.writeString(text);
  archive.close();
  return sink;
}

std::string loadedString(const std::string& bytes) {
  Archive archive(std::string_view(bytes), systemPlatform());
  return archive.readString();
}

std::string wideBytes(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// ---- Integers ----

TEST(ArchiveInt32, IsStoredLittleEndianTwosComplement) {
  std::string sink;
  Archive archive(sink, systemPlatform());
  archive.writeInt32(1);
  archive.writeInt32(-1);
  archive.writeInt32(INT32_MIN);
  archive.writeInt32(0x12345678);
  archive.close();
  EXPECT_EQ(sink, std::string("\x01\0\0\0" "\xFF\xFF\xFF\xFF" "\0\0\0\x80" "\x78\x56\x34\x12", 16));
}

TEST(ArchiveInt32, ReadsBackEveryValue) {
  const std::int32_t values[] = {0, 1, -1, 2, INT32_MAX, INT32_MIN, 0x01020304, -123456789};
  std::string sink;
  {
    Archive archive(sink, systemPlatform());
    for (std::int32_t v : values) archive.writeInt32(v);
    archive.close();
  }
  Archive archive(std::string_view(sink), systemPlatform());
  for (std::int32_t v : values) EXPECT_EQ(archive.readInt32(), v);
  EXPECT_EQ(archive.remaining(), 0u);
}

// ---- String prefixes ----

TEST(ArchiveStringPrefix, ShortFormUpTo254Bytes) {
  EXPECT_EQ(stored(""), std::string(1, '\0'));
  EXPECT_EQ(stored("C:\\"), "\x03" "C:\\");
  EXPECT_EQ(stored(std::string(254, 'a')).substr(0, 1), "\xFE");
  EXPECT_EQ(stored(std::string(254, 'a')).size(), 255u);
}

TEST(ArchiveStringPrefix, TwoByteFormFrom255To65533) {
  EXPECT_EQ(stored(std::string(255, 'a')).substr(0, 3), "\xFF\xFF\x00"s);
  EXPECT_EQ(stored(std::string(300, 'a')).substr(0, 3), "\xFF\x2C\x01");
  EXPECT_EQ(stored(std::string(65533, 'a')).substr(0, 3), "\xFF\xFD\xFF");
  EXPECT_EQ(stored(std::string(65533, 'a')).size(), 65536u);
}

TEST(ArchiveStringPrefix, FourByteFormFrom65534) {
  EXPECT_EQ(stored(std::string(65534, 'a')).substr(0, 7), "\xFF\xFF\xFF\xFE\xFF\x00\x00"s);
  EXPECT_EQ(stored(std::string(70000, 'a')).substr(0, 7), "\xFF\xFF\xFF\x70\x11\x01\x00"s);
}

TEST(ArchiveStringPrefix, EveryBoundaryReadsBack) {
  for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 4095u, 4096u, 4097u, 65533u, 65534u,
                             65535u, 70000u}) {
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(i * 7 + 1);
    EXPECT_EQ(loadedString(stored(text)), text) << length;
  }
}

TEST(ArchiveStringPrefix, ShortFormMayBeLongerThanNeeded) {
  // Other writers of the layout may use a longer prefix than the length needs.
  EXPECT_EQ(loadedString("\xFF\x03\x00" "abc"s), "abc");
  EXPECT_EQ(loadedString("\xFF\xFF\xFF\x03\x00\x00\x00" "abc"s), "abc");
}

TEST(ArchiveStringPrefix, BytesAreKeptAsTheyAre) {
  const std::string gbk = "\xD6\xD0\xCE\xC4\x00\xFF\x0D\x0A"s;
  EXPECT_EQ(loadedString(stored(gbk)), gbk);
}

// ---- Wide strings ----

TEST(ArchiveWideString, AsciiIsConverted) {
  EXPECT_EQ(loadedString("\xFF\xFE\xFF\x03"s + wideBytes(u"abc")), "abc");
  EXPECT_EQ(loadedString("\xFF\xFE\xFF\x00"s), "");
}

TEST(ArchiveWideString, ChineseBecomesCodePage936) {
  // U+4E2D U+6587 are D6 D0 CE C4 in code page 936.
  EXPECT_EQ(loadedString("\xFF\xFE\xFF\x02"s + wideBytes(u"\u4E2D\u6587")),
            "\xD6\xD0\xCE\xC4");
}

TEST(ArchiveWideString, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  for (const std::u16string& missing : {std::u16string(u"\U0001F600"), std::u16string(u"\u0E01")}) {
    const std::u16string text = u"a" + missing + u"b";
    const std::string got = loadedString("\xFF\xFE\xFF"s +
                                         static_cast<char>(text.size()) + wideBytes(text));
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got.front(), 'a');
    EXPECT_EQ(got.back(), 'b');
    EXPECT_EQ(got.substr(1, got.size() - 2).find_first_not_of('?'), std::string::npos) << got;
  }
}

TEST(ArchiveWideString, SecondPrefixTakesTheLongForms) {
  const std::u16string text(300, u'x');
  EXPECT_EQ(loadedString("\xFF\xFE\xFF\xFF\x2C\x01"s + wideBytes(text)), std::string(300, 'x'));
  EXPECT_EQ(loadedString("\xFF\xFE\xFF\xFF\xFF\xFF\x02\x00\x00\x00"s + wideBytes(u"ok")), "ok");
}

TEST(ArchiveWideString, ARepeatedMarkerIsALengthNotAnotherMarker) {
  // FF FE FF after the marker is the length 65534, far more than there is.
  EXPECT_THROW(loadedString("\xFF\xFE\xFF\xFF\xFE\xFF"s), ArchiveDamaged);
}

TEST(ArchiveWideString, UnitsBeyondTheDataAreDamage) {
  EXPECT_THROW(loadedString("\xFF\xFE\xFF\x10" "A\0"s), ArchiveDamaged);
  EXPECT_THROW(loadedString("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"s), ArchiveDamaged);
}

// ---- Short and damaged data ----

TEST(ArchiveShortRead, IntegerPastTheEndIsEndOfFile) {
  EXPECT_THROW(loadedString(""), ArchiveEndOfFile);
  const std::string three = "\x01\x02\x03";
  Archive archive(std::string_view(three), systemPlatform());
  EXPECT_THROW(archive.readInt32(), ArchiveEndOfFile);
}

TEST(ArchiveShortRead, CutPrefixIsEndOfFile) {
  EXPECT_THROW(loadedString("\xFF"), ArchiveEndOfFile);
  EXPECT_THROW(loadedString("\xFF\x2C"), ArchiveEndOfFile);
  EXPECT_THROW(loadedString("\xFF\xFF\xFF\x01\x00"s), ArchiveEndOfFile);
  EXPECT_THROW(loadedString("\xFF\xFE\xFF"s), ArchiveEndOfFile);
}

TEST(ArchiveShortRead, EndOfFileIsARuntimeError) {
  try {
    loadedString("");
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STRNE(e.what(), "");
  }
}

TEST(ArchiveDamage, LengthBeyondTheDataIsReportedWithoutAllocating) {
  EXPECT_THROW(loadedString("\x05" "ab"), ArchiveDamaged);
  EXPECT_THROW(loadedString("\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s), ArchiveDamaged);
  EXPECT_THROW(loadedString("\xFF\xFF\xFF\xFE\xFF\xFF\x7F" "abc"s), ArchiveDamaged);
}

TEST(ArchiveDamage, ExactlyEnoughDataIsFine) {
  EXPECT_EQ(loadedString("\x02" "ab"), "ab");
}

// ---- Files and the buffer ----

class ArchiveFile : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::string path_ = dir_.file("archive.bin");
};

TEST_F(ArchiveFile, StoresTheSameBytesAsMemory) {
  std::string sink;
  std::FILE* file = std::fopen(path_.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  {
    Archive toFile(file, ArchiveMode::Storing, systemPlatform());
    Archive toMemory(sink, systemPlatform());
    for (int i = 0; i < 3000; ++i) {
      toFile.writeInt32(i * 31);
      toMemory.writeInt32(i * 31);
      const std::string text(static_cast<std::size_t>(i % 300), static_cast<char>('a' + i % 26));
      toFile.writeString(text);
      toMemory.writeString(text);
    }
    toFile.close();
    toMemory.close();
  }
  std::fclose(file);
  EXPECT_EQ(test::readFile(path_), sink);
}

TEST_F(ArchiveFile, ReadsAcrossBufferBoundaries) {
  Bytes bytes;
  for (int i = 0; i < 5000; ++i) {
    bytes.i32(i).str(std::string(static_cast<std::size_t>(i % 250), 'z'));
  }
  test::writeFile(path_, bytes.str());
  std::FILE* file = std::fopen(path_.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  {
    Archive archive(file, ArchiveMode::Loading, systemPlatform());
    EXPECT_EQ(archive.remaining(), bytes.size());
    for (int i = 0; i < 5000; ++i) {
      ASSERT_EQ(archive.readInt32(), i);
      ASSERT_EQ(archive.readString().size(), static_cast<std::size_t>(i % 250));
    }
    EXPECT_EQ(archive.remaining(), 0u);
    EXPECT_THROW(archive.readInt32(), ArchiveEndOfFile);
  }
  std::fclose(file);
}

TEST_F(ArchiveFile, LoadingStartsAtTheFilesPosition) {
  test::writeFile(path_, Bytes().i32(7).str("abc").str());
  std::FILE* file = std::fopen(path_.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fseek(file, 4, SEEK_SET), 0);
  {
    Archive archive(file, ArchiveMode::Loading, systemPlatform());
    EXPECT_EQ(archive.remaining(), 4u);
    EXPECT_EQ(archive.readString(), "abc");
  }
  std::fclose(file);
}

TEST_F(ArchiveFile, LengthBeyondTheFileIsDamage) {
  test::writeFile(path_, "\xFF\xFF\xFF\x00\x00\x00\x10" "abc"s);
  std::FILE* file = std::fopen(path_.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  {
    Archive archive(file, ArchiveMode::Loading, systemPlatform());
    EXPECT_THROW(archive.readString(), ArchiveDamaged);
  }
  std::fclose(file);
}

TEST_F(ArchiveFile, AFailedWriteIsAnError) {
  test::writeFile(path_, "x");
  std::FILE* file = std::fopen(path_.c_str(), "rb");  // writing to it fails
  ASSERT_NE(file, nullptr);
  {
    Archive archive(file, ArchiveMode::Storing, systemPlatform());
    archive.writeInt32(1);
    EXPECT_THROW(archive.close(), ArchiveError);
  }
  std::fclose(file);
}

TEST_F(ArchiveFile, ABufferFullOfDataIsWrittenAsItFills) {
  std::FILE* file = std::fopen(path_.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  {
    Archive archive(file, ArchiveMode::Storing, systemPlatform());
    archive.writeString(std::string(Archive::kBufferSize * 2, 'q'));
    std::fflush(file);
    EXPECT_GE(test::readFile(path_).size(), Archive::kBufferSize);
    archive.close();
  }
  std::fclose(file);
  EXPECT_EQ(test::readFile(path_).size(), Archive::kBufferSize * 2 + 3);
}

TEST(ArchiveDirection, ReadingAStoringArchiveIsAnError) {
  std::string sink;
  Archive archive(sink, systemPlatform());
  EXPECT_TRUE(archive.isStoring());
  EXPECT_THROW(archive.readInt32(), ArchiveError);
}

TEST(ArchiveDirection, WritingALoadingArchiveIsAnError) {
  const std::string bytes = "abcd";
  Archive archive(std::string_view(bytes), systemPlatform());
  EXPECT_TRUE(archive.isLoading());
  EXPECT_THROW(archive.writeInt32(1), ArchiveError);
}

}  // namespace
}  // namespace scourix
