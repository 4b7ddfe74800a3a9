#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <knownfolders.h>

#include <io.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_listing.h"

namespace scourix {
namespace {

std::int64_t toUnixSeconds(const FILETIME& ft) {
  return unixSecondsFromTicks((static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
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

// The system's text for an error code, without its line end.
std::string SystemMessage(DWORD error) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && std::isspace(static_cast<unsigned char>(message.back()))) message.pop_back();
  return message.empty() ? "error " + std::to_string(error) : message;
}

// The name of the one scan among the program's processes, in the global namespace: a
// scheduled clean in session 0 and the window of a user's session meet on it.
constexpr char kScanMutexName[] = "Global\\scourix.scan";
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

// Why a file stays out of the bin that the shell would mistake for another.
constexpr char kNoShellFormReason[] = "回收站无法按原名接收此文件（名称以点或空格结尾、含通配符，或路径过长）";

// Why nothing goes to a bin that cannot take files.
constexpr char kBinUnusableReason[] = "回收站无法接收文件，未删除";

// Wine's bin is the XDG trash of the Unix user ($XDG_DATA_HOME/Trash, by default
// ~/.local/share/Trash). When the shell cannot move a file there it deletes it for good
// or asks in a box, which would hang an unattended run: the trash must take a file first.
// On Windows the bin is the shell's own.
bool binCanTakeFiles() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) return true;
  using DosNameOf = WCHAR*(CDECL*)(LPCSTR);
  const auto dosNameOf = reinterpret_cast<DosNameOf>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (dosNameOf == nullptr) return false;
  char unixPath[4096];
  DWORD length = GetEnvironmentVariableA("XDG_DATA_HOME", unixPath, sizeof unixPath);
  std::string data(unixPath, length < sizeof unixPath ? length : 0);
  if (data.empty()) {
    length = GetEnvironmentVariableA("HOME", unixPath, sizeof unixPath);
    if (length == 0 || length >= sizeof unixPath) return false;
    data = std::string(unixPath, length) + "/.local/share";
  }
  WCHAR* dos = dosNameOf(data.c_str());
  if (dos == nullptr) return false;
  std::wstring trash = std::wstring(dos) + L"\\Trash";
  HeapFree(GetProcessHeap(), 0, dos);
  for (const std::wstring& folder : {trash, trash + L"\\files", trash + L"\\info"}) {
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  }
  const std::wstring probe = trash + L"\\files\\.scourix-probe-" + std::to_wstring(GetCurrentProcessId());
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// The absolute exact path of a wide path; empty when the system cannot make one.
ExactPath fullExactPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return ExactPath();
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return ExactPath();
  full.resize(length);
  return exactFormOf(full);
}

// A registry text value with its environment variables expanded; empty when missing.
std::wstring expandedValue(HKEY key, const wchar_t* subKey, const wchar_t* name) {
  DWORD bytes = 0;
  constexpr DWORD kTypes = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  if (RegGetValueW(key, subKey, name, kTypes, nullptr, nullptr, &bytes) != ERROR_SUCCESS || bytes == 0) return {};
  std::wstring raw(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(raw.size() * sizeof(wchar_t));
  if (RegGetValueW(key, subKey, name, kTypes, nullptr, raw.data(), &bytes) != ERROR_SUCCESS) return {};
  raw.resize(wcslen(raw.c_str()));
  const DWORD units = ExpandEnvironmentStringsW(raw.c_str(), nullptr, 0);
  if (units == 0) return {};
  std::wstring expanded(units, L'\0');
  if (ExpandEnvironmentStringsW(raw.c_str(), expanded.data(), units) == 0) return {};
  expanded.resize(wcslen(expanded.c_str()));
  return expanded;
}

// A folder named by the system in wide text, in both spellings.
FolderPath folderOfWide(const std::wstring& folder) {
  ExactPath exact = fullExactPath(folder);
  if (exact.empty()) return {};
  if (exact.native().back() != L'\\') exact.appendSeparator();
  const std::wstring plain = plainTextOf(exact);
  return {ansiFromWide(plain.data(), plain.size()), std::move(exact)};
}

constexpr wchar_t kProfileListKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

// Empty when the file is gone; otherwise why it stays, as far as opening it for deletion
// tells, or else the shell's own code.
std::string whyStillThere(const std::wstring& path, int shellCode) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    return SystemMessage(error);
  }
  HANDLE file = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return SystemMessage(GetLastError());
  CloseHandle(file);
  return SystemMessage(shellCode != 0 ? static_cast<DWORD>(shellCode) : ERROR_CANCELLED);
}

}  // namespace

Win32Platform::Win32Platform() : codePage_(systemCodePage()) {}

// A root is listed as its path names it, through links: the profiles and their
// locations are often junctions on current Windows.
std::unique_ptr<DirListing> Win32Platform::openListing(const FolderPath& dir) {
  return openWin32Listing(dir.exact.native(), true);
}

ExactPath Win32Platform::exactPathOf(const std::string& path) {
  return fullExactPath(wideFromAnsi(path));
}

std::string Win32Platform::utf8Of(const ExactPath& path) {
  const std::wstring plain = plainTextOf(path);
  return utf8FromWide(plain.data(), plain.size());
}

std::string Win32Platform::utf8Of(const std::string& codePageText) {
  const std::wstring wide = wideFromAnsi(codePageText);
  return utf8FromWide(wide.data(), wide.size());
}

FolderState Win32Platform::folderState(const ExactPath& path) {
  const DWORD attributes = GetFileAttributesW(path.native().c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FolderState::Missing : FolderState::Other;
  }
  const bool plain = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
  return plain ? FolderState::Plain : FolderState::Other;
}

FileLookup Win32Platform::lookUpFile(const ExactPath& path, FileFacts& facts) {
  return lookUpWin32File(path.native(), facts);
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

// The folder that holds the profiles is recorded in the registry; its value names
// environment variables (%SystemDrive%\\Users) that are expanded here.
FolderPath Win32Platform::profilesDirectory() {
  const std::wstring folder = expandedValue(HKEY_LOCAL_MACHINE, kProfileListKey, L"ProfilesDirectory");
  if (folder.empty()) return {};
  return folderOfWide(folder);
}

std::vector<FolderPath> Win32Platform::userFolders() {
  std::vector<FolderPath> folders;
  for (const KNOWNFOLDERID* id : {&FOLDERID_Desktop, &FOLDERID_Documents, &FOLDERID_Downloads, &FOLDERID_Pictures,
                                  &FOLDERID_Music, &FOLDERID_Videos, &FOLDERID_SkyDrive}) {
    wchar_t* path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(*id, 0, nullptr, &path))) {
      FolderPath folder = folderOfWide(path);
      if (!folder.path.empty()) folders.push_back(std::move(folder));
    }
    CoTaskMemFree(path);
  }
  return folders;
}

std::vector<FolderPath> Win32Platform::registeredProfiles() {
  std::vector<FolderPath> profiles;
  HKEY list;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProfileListKey, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &list) !=
      ERROR_SUCCESS) {
    return profiles;
  }
  wchar_t sid[256];
  for (DWORD index = 0;; ++index) {
    DWORD sidLength = sizeof sid / sizeof sid[0];
    const LONG status = RegEnumKeyExW(list, index, sid, &sidLength, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    // Read wide: a user name the code page cannot write is a profile all the same.
    const std::wstring folder = expandedValue(list, sid, L"ProfileImagePath");
    if (folder.empty()) continue;
    FolderPath profile = folderOfWide(folder);
    // A deleted user's entry may outlive the folder.
    const DWORD attributes = GetFileAttributesW(profile.exact.native().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
    profiles.push_back(std::move(profile));
  }
  RegCloseKey(list);
  return profiles;
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

RemoveOutcome Win32Platform::deleteFile(const ExactPath& path, std::string& reason) {
  const std::wstring& wide = path.native();
  if (DeleteFileW(wide.c_str())) return RemoveOutcome::Removed;
  DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  const bool readOnlyFile = attributes != INVALID_FILE_ATTRIBUTES &&
                            (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
                            (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  if (error == ERROR_ACCESS_DENIED && readOnlyFile) {
    const DWORD writable = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    if (SetFileAttributesW(wide.c_str(), writable != 0 ? writable : FILE_ATTRIBUTE_NORMAL)) {
      if (DeleteFileW(wide.c_str())) return RemoveOutcome::Removed;
      error = GetLastError();
      SetFileAttributesW(wide.c_str(), attributes);  // it stays as it was
    }
  }
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return RemoveOutcome::Gone;
  reason = SystemMessage(error);
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? RemoveOutcome::InUse
                                                                          : RemoveOutcome::Failed;
}

void Win32Platform::enterBackgroundMode() {
  SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN);
}

std::unique_ptr<ScanLock> Win32Platform::claimScanLock() {
  // Made by another account (a task run as SYSTEM), the object may deny this one: access
  // denied, like any failure to make it, means another scan may hold it.
  HANDLE handle = CreateMutexA(nullptr, FALSE, kScanMutexName);
  if (handle == nullptr) return nullptr;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<NamedScanLock>(handle);
}

bool Win32Platform::replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Platform::syncFile(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
  return _commit(_fileno(file)) == 0;
}

std::vector<RecycleAnswer> Win32Platform::recycleFiles(const std::vector<ExactPath>& paths) {
  std::vector<RecycleAnswer> answers(paths.size());
  // Under Wine the shell deletes for good what its bin cannot take: nothing goes then.
  if (!binCanTakeFiles()) {
    for (RecycleAnswer& answer : answers) answer = {RecycleAnswer::BinRefused, kBinUnusableReason};
    return answers;
  }
  std::vector<std::size_t> batch;  // positions in `paths` of the files handed to the shell
  std::wstring list;  // their names one after another, each ended by a NUL, the list by another
  const auto hand = [&] {
    if (batch.empty()) return;
    list += L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR;
    const int code = SHFileOperationW(&operation);
    // The shell's answer covers the whole list: each file is looked at afterwards.
    for (std::size_t at : batch) {
      answers[at].reason = whyStillThere(paths[at].native(), code);
      if (!answers[at].reason.empty()) answers[at].outcome = RecycleAnswer::Failed;
    }
    batch.clear();
    list.clear();
  };
  for (std::size_t i = 0; i < paths.size(); ++i) {
    std::wstring plain;
    if (!shellFormOf(paths[i], plain)) {
      answers[i] = {RecycleAnswer::BinRefused, kNoShellFormReason};
      continue;
    }
    list += plain;
    list += L'\0';
    batch.push_back(i);
    if (batch.size() == kRecycleBatch) hand();
  }
  hand();
  return answers;
}

FolderPath Win32Platform::folderOfUtf8(const std::string& utf8Path) {
  return folderOfWide(wideFromUtf8(utf8Path));
}

std::string Win32Platform::utf8NameOf(const DirEntry& entry) {
  return entry.exactName.empty() ? entry.name : utf8FromWide(entry.exactName.data(), entry.exactName.size());
}

std::string Win32Platform::codePageOf(const std::string& utf8Text) {
  const std::wstring wide = wideFromUtf8(utf8Text);
  return ansiFromWide(wide.data(), wide.size());
}

std::string Win32Platform::builtInCatalog() {
  HRSRC found = FindResourceW(nullptr, L"SCOURIX_CATALOG", MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return std::string();
  return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
}

bool Win32Platform::readFile(const std::string& path, std::size_t limit, std::string& content,
                             std::string& reason) {
  content.clear();
  HANDLE file = CreateFileW(fullExactPath(wideFromUtf8(path)).native().c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    reason = SystemMessage(GetLastError());
    return false;
  }
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) != 0;
  if (ok && static_cast<unsigned long long>(size.QuadPart) > limit) {
    reason = SystemMessage(ERROR_FILE_TOO_LARGE);
    ok = false;
  } else if (!ok) {
    reason = SystemMessage(GetLastError());
  }
  if (ok) {
    content.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    for (std::size_t done = 0; ok && done < content.size(); done += got) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
      ok = ReadFile(file, &content[done], chunk, &got, nullptr) != 0 && got != 0;
      if (!ok) reason = SystemMessage(GetLastError());
    }
  }
  CloseHandle(file);
  if (!ok) content.clear();
  return ok;
}

std::string Win32Platform::environmentVariable(const std::string& name) {
  const std::wstring wideName = wideFromUtf8(name);
  std::wstring value(MAX_PATH, L'\0');
  DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
  if (length >= value.size()) {
    value.resize(length);
    length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
  }
  return length < value.size() ? utf8FromWide(value.data(), length) : std::string();
}

KeyPresence Win32Platform::registryKey(const std::string& key) {
  static const struct {
    const char* name;
    HKEY root;
  } roots[] = {{"HKCU", HKEY_CURRENT_USER},   {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
               {"HKLM", HKEY_LOCAL_MACHINE},  {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
               {"HKCR", HKEY_CLASSES_ROOT},   {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
               {"HKU", HKEY_USERS},           {"HKEY_USERS", HKEY_USERS}};
  const std::size_t slash = key.find('\\');
  const std::string rootName = key.substr(0, slash);
  const std::wstring subKey = slash == std::string::npos ? std::wstring() : wideFromUtf8(key.substr(slash + 1));
  for (const auto& root : roots) {
    if (lstrcmpiA(rootName.c_str(), root.name) != 0) continue;
    // A 32-bit program keeps its keys in the other view of a 64-bit system.
    KeyPresence presence = KeyPresence::Absent;
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
      HKEY opened;
      const LONG status = RegOpenKeyExW(root.root, subKey.c_str(), 0, KEY_QUERY_VALUE | view, &opened);
      if (status == ERROR_SUCCESS) RegCloseKey(opened);
      if (status == ERROR_SUCCESS || status == ERROR_ACCESS_DENIED) return KeyPresence::Present;
      if (status != ERROR_FILE_NOT_FOUND) presence = KeyPresence::Unknown;
    }
    return presence;
  }
  return KeyPresence::Unknown;
}

bool Win32Platform::windowsVersion(int& major, int& minor) {
  // GetVersionEx answers what the manifest declares; the system's own call tells the truth.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (rtlGetVersion == nullptr || rtlGetVersion(&info) != 0) return false;
  major = static_cast<int>(info.dwMajorVersion);
  minor = static_cast<int>(info.dwMinorVersion);
  return true;
}

bool Win32Platform::isElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                        elevation.TokenIsElevated != 0;
  CloseHandle(token);
  return elevated;
}

// The system asks the user on its own desktop; a "no" is ERROR_CANCELLED.
ElevatedStart Win32Platform::startElevated(const std::string& parameters) {
  std::vector<wchar_t> program(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
  if (length == 0 || length >= program.size()) return ElevatedStart::Failed;
  const std::wstring wideParameters = wideFromUtf8(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"runas";
  info.lpFile = program.data();
  info.lpParameters = wideParameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&info)) return ElevatedStart::Started;
  return GetLastError() == ERROR_CANCELLED ? ElevatedStart::Declined : ElevatedStart::Failed;
}

Platform& systemPlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace scourix
