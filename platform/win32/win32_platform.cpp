#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <shellapi.h>

#include <io.h>

#include <algorithm>
#include <vector>

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

// The name of the one scan among the program's processes (the session's namespace).
constexpr char kScanMutexName[] = "scourix.scan";
// Files per shell operation: many at once, in lists of bounded size.
constexpr std::size_t kRecycleBatch = 1000;

// The scan is held while the named object exists: any thread may let it go, unlike the
// ownership of a mutex.
class NamedScanLock : public ScanLock {
 public:
  explicit NamedScanLock(HANDLE handle) : handle_(handle) {}
  ~NamedScanLock() override { CloseHandle(handle_); }

 private:
  HANDLE handle_;
};

std::wstring ansiToWide(const std::string& text) {
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
  if (units > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), units);
  return out;
}

// The system's message for an error, in the ANSI code page, without its line break.
std::string systemMessage(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length > 0 ? std::string(buffer, length) : "error " + std::to_string(error);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

// Empty when the file is gone; otherwise why it stays, as far as opening it for deletion
// tells, or else the shell's own code.
std::string whyStillThere(const std::wstring& path, int shellCode) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    return systemMessage(error);
  }
  HANDLE file = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return systemMessage(GetLastError());
  CloseHandle(file);
  return systemMessage(shellCode != 0 ? static_cast<DWORD>(shellCode) : ERROR_CANCELLED);
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
  std::string result(expanded);
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
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

void Win32Platform::enterBackgroundMode() {
  SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN);
}

std::unique_ptr<ScanLock> Win32Platform::claimScanLock() {
  HANDLE handle = CreateMutexA(nullptr, FALSE, kScanMutexName);
  if (handle == nullptr) return nullptr;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<NamedScanLock>(handle);
}

bool Win32Platform::deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

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

std::vector<std::string> Win32Platform::recycleFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> reasons;
  reasons.reserve(paths.size());
  for (std::size_t first = 0; first < paths.size(); first += kRecycleBatch) {
    const std::size_t end = std::min(paths.size(), first + kRecycleBatch);
    std::vector<std::wstring> wide;
    std::wstring list;  // the names one after another, each ended by a NUL, the list by another
    for (std::size_t i = first; i < end; ++i) {
      wide.push_back(ansiToWide(paths[i]));
      list += wide.back();
      list += L'\0';
    }
    list += L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR;
    const int code = SHFileOperationW(&operation);
    // The shell's answer covers the whole list: each file is looked at afterwards.
    for (const std::wstring& path : wide) reasons.push_back(whyStillThere(path, code));
  }
  return reasons;
}

Platform& systemPlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace scourix
