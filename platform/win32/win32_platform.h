#pragma once
// The Win32 implementation of the platform layer: ANSI APIs and the system code page,
// the wide calls for listing and deleting files as the file system names them.
#include "platform/platform.h"

namespace scourix {

class Win32Platform : public Platform {
 public:
  Win32Platform();

  char separator() const override { return '\\'; }
  std::unique_ptr<DirListing> openListing(const FolderPath& dir) override;
  ExactPath exactPathOf(const std::string& path) override;
  std::string utf8Of(const ExactPath& path) override;
  std::string utf8Of(const std::string& codePageText) override;
  FolderState folderState(const ExactPath& path) override;
  FileLookup lookUpFile(const ExactPath& path, FileFacts& facts) override;
  int driveType(const std::string& root) override;
  std::string systemDirectory() override;
  FolderPath profilesDirectory() override;
  std::vector<FolderPath> registeredProfiles() override;
  std::vector<FolderPath> userFolders() override;
  void sleepMs(int milliseconds) override;
  std::int64_t now() override;
  bool localDate(std::int64_t time, CalendarDate& date) override;
  const CodePage& codePage() const override { return codePage_; }
  std::string wideToAnsi(const std::u16string& text) override;
  void raiseThreadPriority() override;
  RemoveOutcome deleteFile(const ExactPath& path, std::string& reason) override;
  bool removeEmptyFolder(const ExactPath& path) override;
  void enterBackgroundMode() override;
  std::unique_ptr<ScanLock> claimScanLock() override;
  bool replaceFile(const std::string& from, const std::string& to) override;
  bool syncFile(std::FILE* file) override;
  std::vector<RecycleAnswer> recycleFiles(const std::vector<ExactPath>& paths) override;
  FolderPath folderOfUtf8(const std::string& utf8Path) override;
  std::string utf8NameOf(const DirEntry& entry) override;
  std::string codePageOf(const std::string& utf8Text) override;
  std::string builtInCatalog() override;
  bool readFile(const std::string& path, std::size_t limit, std::string& content,
                std::string& reason) override;
  std::string environmentVariable(const std::string& name) override;
  KeyPresence registryKey(const std::string& key) override;
  bool windowsVersion(int& major, int& minor) override;
  bool isElevated() override;
  ElevatedStart startElevated(const std::string& parameters) override;

 private:
  CodePage codePage_;
};

}  // namespace scourix
