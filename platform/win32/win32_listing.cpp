#include "platform/win32/win32_listing.h"

#include <windows.h>
#include <winternl.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace scourix {
namespace {

// Many entries a call: each call is a round trip into Wine.
constexpr DWORD kBatchBytes = 65536;
constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);

// A folder's index number alone. GetFileInformationByHandle would also ask the volume for
// its serial number, which costs Wine more than the rest of the folder's listing.
std::uint64_t indexNumberOf(HANDLE handle) {
  using QueryInformationFile = LONG(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, int);
  static const auto query = reinterpret_cast<QueryInformationFile>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
  constexpr int kFileInternalInformation = 6;
  LARGE_INTEGER index{};
  IO_STATUS_BLOCK status{};
  if (query == nullptr || query(handle, &status, &index, sizeof index, kFileInternalInformation) != 0) return 0;
  return static_cast<std::uint64_t>(index.QuadPart);
}

bool isAscii(const wchar_t* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] >= 0x80) return false;
  }
  return true;
}

// Most names are plain ASCII: the same bytes in every form, without a conversion call.
void takeName(const wchar_t* text, std::size_t length, DirEntry& entry) {
  if (isAscii(text, length)) {
    entry.name.resize(length);
    for (std::size_t i = 0; i < length; ++i) entry.name[i] = static_cast<char>(text[i]);
    entry.exactName.clear();
    return;
  }
  entry.name = ansiFromWide(text, length);
  entry.exactName.assign(text, length);
}

void fillEntry(const FILE_ID_BOTH_DIR_INFO& info, DirEntry& entry) {
  takeName(info.FileName, info.FileNameLength / sizeof(wchar_t), entry);
  entry.isDirectory = (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.attributes = ((info.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? kAttributeReadOnly : 0) |
                     ((info.FileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0 ? kAttributeHidden : 0) |
                     ((info.FileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0 ? kAttributeSystem : 0);
  entry.isLink = (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  entry.size = static_cast<std::uint64_t>(info.EndOfFile.QuadPart);
  entry.lastAccess = unixSecondsFromTicks(info.LastAccessTime.QuadPart);
  entry.lastWrite = unixSecondsFromTicks(info.LastWriteTime.QuadPart);
  entry.creation = unixSecondsFromTicks(info.CreationTime.QuadPart);
  entry.device = 0;
  entry.fileId = static_cast<std::uint64_t>(info.FileId.QuadPart);
}

class HandleListing : public DirListing {
 public:
  HandleListing(HANDLE handle, std::wstring dir)
      : handle_(handle), dir_(std::move(dir)), batch_(kBatchBytes / sizeof(LONGLONG)) {}
  ~HandleListing() override { CloseHandle(handle_); }
  HandleListing(const HandleListing&) = delete;
  HandleListing& operator=(const HandleListing&) = delete;

  bool next(DirEntry& entry) override {
    if (offset_ == kNoEntry && !fetch()) return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(batch_.data());
    const auto& info = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + offset_);
    offset_ = info.NextEntryOffset == 0 ? kNoEntry : offset_ + info.NextEntryOffset;
    fillEntry(info, entry);
    return true;
  }

  bool failed() const override { return failed_; }

  std::unique_ptr<DirListing> openSubfolder(const DirEntry& entry) override {
    ExactPath dir(dir_);
    dir.appendName(entry.name, entry.exactName);
    dir.appendSeparator();
    return openWin32Listing(dir.native(), false, entry.fileId);
  }

 private:
  bool fetch() {
    if (ended_) return false;
    if (!GetFileInformationByHandleEx(handle_, FileIdBothDirectoryInfo, batch_.data(), kBatchBytes)) {
      ended_ = true;
      failed_ = GetLastError() != ERROR_NO_MORE_FILES;
      return false;
    }
    offset_ = 0;
    return true;
  }

  HANDLE handle_;
  std::wstring dir_;
  std::vector<LONGLONG> batch_;  // aligned for the records it holds
  std::size_t offset_ = kNoEntry;
  bool ended_ = false;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<DirListing> openWin32Listing(const std::wstring& dir, bool followLink,
                                             std::uint64_t listedId) {
  // A drive's root keeps its backslash (without it "\\?\C:" is the volume); any other
  // folder is named without one.
  const bool root = dir.size() >= 3 && dir.compare(dir.size() - 2, 2, L":\\") == 0;
  const std::wstring bare = root ? dir : dir.substr(0, dir.size() - 1);
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  HANDLE handle = CreateFileW(bare.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  // Opened without following, a folder swapped for a link since it was listed is the
  // link itself. Wine follows the link all the same: there the folder reached is another
  // one than was listed. Either way it is refused.
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)) basic.FileAttributes = 0;
  const bool isFolder = (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                        (followLink || (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) &&
                        (listedId == 0 || indexNumberOf(handle) == listedId);
  if (!isFolder) {
    CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<HandleListing>(handle, dir);
}

std::int64_t unixSecondsFromTicks(std::int64_t ticks) {
  const std::int64_t sinceEpoch = ticks - kEpochDifference;
  return sinceEpoch >= 0 ? sinceEpoch / 10000000 : -((-sinceEpoch + 9999999) / 10000000);
}

FileLookup lookUpWin32File(const std::wstring& path, FileFacts& facts) {
  HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileLookup::Gone : FileLookup::Unknown;
  }
  FILE_BASIC_INFO basic{};
  FILE_STANDARD_INFO standard{};
  const bool known = GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) &&
                     GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard);
  facts.fileId = indexNumberOf(handle);
  CloseHandle(handle);
  if (!known) return FileLookup::Unknown;
  facts.size = standard.Directory ? 0 : static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
  facts.lastWrite = unixSecondsFromTicks(basic.LastWriteTime.QuadPart);
  return FileLookup::Found;
}

}  // namespace scourix
