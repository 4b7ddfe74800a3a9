// Thousands of randomly damaged configuration files: every load ends either with the
// file read or with an archive error, never a crash, a leak or a huge allocation, and
// whatever was loaded stores and loads again unchanged.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "core/settings_test_support.h"
#include "engine/clean_engine.h"
#include "settings/archive.h"
#include "settings/config_file.h"

namespace scourix {
namespace {

using test::Bytes;
using namespace std::string_literals;

std::string baseFile() {
  return Bytes()
      .flags(12, 1)
      .flags(7, 0)
      .i32(3)
      .str("C:\\").str("C:\\").i32(1)
      .str("D:\\").raw("\xFF\xFE\xFF\x02" "\x2D\x4E\x87\x65"s).i32(0)
      .str("E:\\").str(std::string(300, 'e')).i32(1)
      .i32(4)
      .i32(1).str(".pcf").str("clean pcf files").i32(0)
      .i32(0).str("").str("\xD6\xD0\xCE\xC4").i32(1)
      .i32(1).raw("\xFF\xFE\xFF\x03" "a\0\x3D\xD8\x00\xDE"s).str("wide").i32(0)
      .i32(-1).str("~").str(std::string(1000, 'z')).i32(7)
      .str();
}

// Deterministic on every standard library: only the engine's raw output is used.
class Mutator {
 public:
  explicit Mutator(std::uint32_t seed) : random_(seed) {}

  std::uint32_t below(std::uint32_t n) { return n == 0 ? 0 : random_() % n; }

  std::string mutate(std::string bytes) {
    const int steps = 1 + static_cast<int>(below(4));
    for (int i = 0; i < steps; ++i) mutateOnce(bytes);
    return bytes;
  }

 private:
  void mutateOnce(std::string& bytes) {
    const auto size = static_cast<std::uint32_t>(bytes.size());
    const std::uint32_t at = below(size + 1);
    switch (below(7)) {
      case 0:  // flip a bit
        if (at < size) bytes[at] = static_cast<char>(bytes[at] ^ (1 << below(8)));
        break;
      case 1:  // a random byte
        if (at < size) bytes[at] = static_cast<char>(below(256));
        break;
      case 2:  // cut the file
        bytes.resize(at);
        break;
      case 3:  // drop a range
        bytes.erase(at, below(16));
        break;
      case 4:  // insert random bytes
        for (std::uint32_t n = below(8); n > 0; --n) {
          bytes.insert(bytes.begin() + at, static_cast<char>(below(256)));
        }
        break;
      case 5: {  // an extreme 32-bit value, anywhere
        static const std::uint32_t extremes[] = {0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE,
                                                 0x0000FFFF, 0x00010000, 0};
        const std::uint32_t value = extremes[below(7)];
        for (int k = 0; k < 4 && at + k < size; ++k) {
          bytes[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
        }
        break;
      }
      default:  // a prefix marker
        if (at < size) {
          static const char* markers[] = {"\xFF", "\xFF\xFF\xFF", "\xFF\xFE\xFF", "\xFE"};
          const std::string marker = markers[below(4)];
          bytes.replace(at, std::min<std::size_t>(marker.size(), size - at), marker);
        }
        break;
    }
  }

  std::mt19937 random_;
};

std::string store(CleanEngine& engine) {
  std::string sink;
  Archive archive(sink, engine.platform());
  serialize(engine, archive);
  archive.close();
  return sink;
}

TEST(ConfigFuzz, DamagedFilesNeverCrashAndLoadedStateIsConsistent) {
  const std::string base = baseFile();
  {
    CleanEngine engine(systemPlatform());
    Archive archive{std::string_view(base), engine.platform()};
    serialize(engine, archive);
    ASSERT_EQ(engine.rules.count(), 4);
  }
  Mutator mutator(20240611);
  int loaded = 0;
  int damaged = 0;
  for (int iteration = 0; iteration < 5000; ++iteration) {
    const std::string bytes = mutator.mutate(base);
    CleanEngine engine(systemPlatform());
    ConfigLoadProgress progress;
    bool ok = true;
    try {
      Archive archive{std::string_view(bytes), engine.platform()};
      serialize(engine, archive, &progress);
    } catch (const ArchiveError&) {
      ok = false;
    }
    ok ? ++loaded : ++damaged;
    ASSERT_EQ(static_cast<int>(engine.drives.size()), progress.drives) << iteration;
    ASSERT_EQ(engine.rules.count(), progress.rules) << iteration;
    std::size_t textBytes = 0;
    for (const DriveEntry& d : engine.drives) textBytes += d.root.size() + d.displayName.size();
    for (const ScanRule& r : engine.rules.all()) {
      textBytes += r.pattern.size() + r.description.size();
    }
    // Wide text converts to at most two bytes a unit, so nothing outgrows the file.
    ASSERT_LE(textBytes, bytes.size()) << iteration;
    if (ok) {
      const std::string again = store(engine);
      CleanEngine copy(systemPlatform());
      Archive archive{std::string_view(again), copy.platform()};
      serialize(copy, archive);
      ASSERT_EQ(store(copy), again) << iteration;
    }
  }
  // The mutations reach both outcomes, or the test proves little.
  EXPECT_GT(loaded, 100);
  EXPECT_GT(damaged, 100);
}

TEST(ConfigFuzz, DamagedFilesOnDiskReportDamageOrLoad) {
  test::TempDir dir;
  const std::string path = dir.file("data.dsfw");
  const std::string base = baseFile();
  Mutator mutator(7);
  for (int iteration = 0; iteration < 300; ++iteration) {
    const std::string bytes = mutator.mutate(base);
    test::writeFile(path, bytes);
    CleanEngine engine(systemPlatform());
    const ConfigResult result = loadConfig(engine, path);
    if (bytes.empty()) {
      ASSERT_EQ(result.status, ConfigStatus::Absent);
    } else {
      ASSERT_TRUE(result.status == ConfigStatus::Loaded || result.status == ConfigStatus::Damaged);
    }
    if (result.status == ConfigStatus::Damaged) {
      ASSERT_EQ(test::readFile(path + ".bad"), bytes) << iteration;
    }
  }
}

}  // namespace
}  // namespace scourix
