#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <shellapi.h>

#include <io.h>

#include <cctype>
#include <string>

namespace scourix {
namespace {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kEpochDifference = 116444736000000000LL;

std::int64_t toUnixSeconds(const FILETIME& ft) {
  const std::int64_t ticks =
      (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  const std::int64_t sinceEpoch = ticks - kEpochDifference;
  // Round towards minus infinity, so times before 1970 stay before it.
  return sinceEpoch >= 0 ? sinceEpoch / 10000000 : -((-sinceEpoch + 9999999) / 10000000);
}

CodePage systemCodePage() {
  std::array<bool, 256> lead{};
  CPINFO info;
  if (GetCPInfo(CP_ACP, &info)) {
    for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]);
         i += 2) {
      for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) lead[b] = true;
    }
  }
  return CodePage(lead);
}

void fillEntry(const WIN32_FIND_DATAA& fd, DirEntry& entry) {
  entry.name.assign(fd.cFileName);
  entry.isDirectory = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.isSystem = (fd.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
  entry.isLink = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  entry.size = (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
  entry.lastAccess = toUnixSeconds(fd.ftLastAccessTime);
  entry.lastWrite = toUnixSeconds(fd.ftLastWriteTime);
}

class FindListing : public DirListing {
 public:
  FindListing(HANDLE handle, const WIN32_FIND_DATAA& first) : handle_(handle), data_(first) {}
  ~FindListing() override { FindClose(handle_); }

  bool next(DirEntry& entry) override {
    if (pending_) {
      pending_ = false;
    } else if (!FindNextFileA(handle_, &data_)) {
      return false;
    }
    fillEntry(data_, entry);
    return true;
  }

 private:
  HANDLE handle_;
  WIN32_FIND_DATAA data_;
  bool pending_ = true;
};

// The system's text for an error code, without its line end.
std::string SystemMessage(DWORD error) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && std::isspace(static_cast<unsigned char>(message.back()))) message.pop_back();
  return message.empty() ? "error " + std::to_string(error) : message;
}

}  // namespace

Win32Platform::Win32Platform() : codePage_(systemCodePage()) {}

std::unique_ptr<DirListing> Win32Platform::openListing(const std::string& dir) {
  const std::string pattern = dir + "*.*";
  WIN32_FIND_DATAA fd;
  // The basic information level skips the 8.3 names, and the large fetch asks for
  // bigger batches: the same entries, listed faster.
  HANDLE handle = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<FindListing>(handle, fd);
}

int Win32Platform::driveType(const std::string& root) {
  return static_cast<int>(GetDriveTypeA(root.c_str()));
}

std::string Win32Platform::systemDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
  if (length == 0 || length > MAX_PATH) return std::string();
  return std::string(buffer, length);
}

std::string Win32Platform::profilesDirectory() {
  // The folder that holds the profiles is recorded in the registry; its value names
  // environment variables (%SystemDrive%\Users) that are expanded here.
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", 0,
                    KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::string();
  }
  char raw[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH;
  DWORD type = 0;
  const LONG status = RegQueryValueExA(key, "ProfilesDirectory", nullptr, &type,
                                       reinterpret_cast<BYTE*>(raw), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::string();
  raw[MAX_PATH] = '\0';
  char expanded[MAX_PATH + 1] = {};
  const DWORD length = ExpandEnvironmentStringsA(raw, expanded, MAX_PATH);
  if (length == 0 || length > MAX_PATH) return std::string();
  const std::string result(expanded);
  return result.empty() ? result : codePage_.withSeparator(result, '\\');
}

void Win32Platform::sleepMs(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

std::int64_t Win32Platform::now() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return toUnixSeconds(ft);
}

bool Win32Platform::localDate(std::int64_t time, CalendarDate& date) {
  if (time < 0) return false;
  const std::int64_t ticks = time * 10000000 + kEpochDifference;
  FILETIME utc;
  utc.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
  utc.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return false;
  date.year = st.wYear;
  date.month = st.wMonth;
  date.day = st.wDay;
  return true;
}

std::string Win32Platform::wideToAnsi(const std::u16string& text) {
  if (text.empty()) return std::string();
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int units = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, units, out.data(), bytes, nullptr, nullptr);
  return out;
}

void Win32Platform::raiseThreadPriority() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
}

RemoveOutcome Win32Platform::deleteFile(const std::string& path, std::string& reason) {
  if (DeleteFileA(path.c_str())) return RemoveOutcome::Removed;
  DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool readOnlyFile = attributes != INVALID_FILE_ATTRIBUTES &&
                            (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
                            (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  if (error == ERROR_ACCESS_DENIED && readOnlyFile) {
    const DWORD writable = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    if (SetFileAttributesA(path.c_str(), writable != 0 ? writable : FILE_ATTRIBUTE_NORMAL)) {
      if (DeleteFileA(path.c_str())) return RemoveOutcome::Removed;
      error = GetLastError();
      SetFileAttributesA(path.c_str(), attributes);  // it stays as it was
    }
  }
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return RemoveOutcome::Gone;
  reason = SystemMessage(error);
  return RemoveOutcome::Failed;
}

bool Win32Platform::replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Platform::syncFile(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
  return _commit(_fileno(file)) == 0;
}

void Win32Platform::emptyRecycleBin() {
  SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}

Platform& systemPlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace scourix
