#pragma once
// The POSIX implementation of the platform layer, for the native build: the command line
// and the core tests. There are no drives, no profiles and no recycle bin here.
#include "platform/platform.h"

namespace scourix {

class PosixPlatform : public Platform {
 public:
  PosixPlatform();

  char separator() const override { return '/'; }
  std::unique_ptr<DirListing> openListing(const std::string& dir) override;
  std::string exactPathOf(const std::string& path) override { return path; }
  bool isPlainFolder(const std::string& exactPath) override;
  int driveType(const std::string& root) override;
  std::string systemDirectory() override;
  std::string profilesDirectory() override;
  std::vector<std::string> registeredProfiles() override;
  void sleepMs(int milliseconds) override;
  std::int64_t now() override;
  bool localDate(std::int64_t time, CalendarDate& date) override;
  const CodePage& codePage() const override { return codePage_; }
  std::string wideToAnsi(const std::u16string& text) override;
  void raiseThreadPriority() override;
  RemoveOutcome deleteFile(const std::string& path, std::string& reason) override;
  void enterBackgroundMode() override;
  std::unique_ptr<ScanLock> claimScanLock() override;
  bool replaceFile(const std::string& from, const std::string& to) override;
  bool syncFile(std::FILE* file) override;
  void emptyRecycleBin() override;
  std::vector<std::string> recycleFiles(const std::vector<std::string>& paths) override;
  std::string builtInCatalog() override;
  bool readWholeFile(const std::string& path, std::string& bytes) override;
  bool isElevated() override;
  ElevatedStart startElevated(const std::string& parameters) override;

 private:
  CodePage codePage_;
};

}  // namespace scourix
