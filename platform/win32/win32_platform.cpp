#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <knownfolders.h>

#include <io.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "platform/bin_operation.h"
#include "platform/win32/system_message.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_listing.h"
#include "platform/win32/wine_trash.h"

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

// Why the file cannot be opened for deletion; 0 when it can.
DWORD deleteOpenError(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(file);
  return 0;
}

// Why a file stays out of the bin that the shell would mistake for another.
constexpr char kNoShellFormReason[] = "回收站无法按原名接收此文件（名称以点或空格结尾、含通配符，或路径过长）";

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
// tells, or else `otherwise`: the shell's own word.
std::string whyStillThere(const std::wstring& path, const std::string& otherwise) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    return SystemMessage(error);
  }
  const DWORD error = deleteOpenError(path);
  return error != 0 ? SystemMessage(error) : otherwise;
}

// Why a file stays that the shell would have deleted for good: its bin does not take it.
constexpr char kBinRefusedReason[] = "回收站无法接收此文件（文件过大或该驱动器未启用回收站），未删除";

// The system's text for an error of a COM call.
std::string MessageOfResult(HRESULT result) {
  return SystemMessage(HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : static_cast<DWORD>(result));
}

// A file's key for finding it again among those handed over: the shell names it in its
// own letter case.
std::wstring shellKeyOf(std::wstring path) {
  if (!path.empty()) CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  return path;
}

// Follows one operation of the shell and stops it before it deletes a file for good: the
// shell asks for each file whether it may go and says whether it went, and a file it
// flags for deleting rather than recycling is refused, which ends the operation.
class RecycleSink : public IFileOperationProgressSink {
 public:
  RecycleSink(const std::map<std::wstring, std::size_t>& positions, std::vector<BinStep>& steps)
      : positions_(positions), steps_(steps) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id != IID_IUnknown && id != IID_IFileOperationProgressSink) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IFileOperationProgressSink*>(this);
    return S_OK;
  }
  // It lives on the stack of the one operation it follows.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE PreDeleteItem(DWORD flags, IShellItem* item) override {
    if ((flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) != 0) return S_OK;
    BinStep* step = stepOf(item);
    if (step != nullptr) *step = {BinStep::Refused, kBinRefusedReason};
    return E_ABORT;
  }
  HRESULT STDMETHODCALLTYPE PostDeleteItem(DWORD, IShellItem* item, HRESULT result, IShellItem*) override {
    BinStep* step = stepOf(item);
    if (step == nullptr || step->kind == BinStep::Refused) return S_OK;
    *step = SUCCEEDED(result) ? BinStep{BinStep::InBin, std::string()} : BinStep{BinStep::Failed, MessageOfResult(result)};
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE StartOperations() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE FinishOperations(HRESULT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PreRenameItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostRenameItem(DWORD, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PreMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT, IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreNewItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostNewItem(DWORD, IShellItem*, LPCWSTR, LPCWSTR, DWORD, HRESULT, IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UpdateProgress(UINT, UINT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResetTimer() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PauseTimer() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResumeTimer() override { return S_OK; }

 private:
  BinStep* stepOf(IShellItem* item) {
    wchar_t* name = nullptr;
    if (item == nullptr || FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &name))) return nullptr;
    const auto found = positions_.find(shellKeyOf(name));
    CoTaskMemFree(name);
    return found == positions_.end() ? nullptr : &steps_[found->second];
  }

  const std::map<std::wstring, std::size_t>& positions_;  // of each file handed over, by its key
  std::vector<BinStep>& steps_;
};

// The shell's file operation (IFileOperation, Vista on), which tells file by file whether
// the bin takes it. Wine implements none of it: it is then unusable, and nothing is touched.
class ShellBinOperation : public BinOperation {
 public:
  ShellBinOperation(const std::vector<ExactPath>& paths, const std::vector<std::wstring>& shellForms)
      : paths_(paths), shellForms_(shellForms) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    uninitialize_ = SUCCEEDED(init);
    comReady_ = uninitialize_ || init == RPC_E_CHANGED_MODE;
  }
  ~ShellBinOperation() override {
    if (uninitialize_) CoUninitialize();
  }
  ShellBinOperation(const ShellBinOperation&) = delete;
  ShellBinOperation& operator=(const ShellBinOperation&) = delete;

  bool run(const std::vector<std::size_t>& files, std::vector<BinStep>& steps) override {
    if (!comReady_) return false;
    // The sink outlives the operation, which may let go of it only when it ends.
    std::map<std::wstring, std::size_t> positions;
    RecycleSink sink(positions, steps);
    IFileOperation* operation = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_IFileOperation,
                                reinterpret_cast<void**>(&operation)))) {
      return false;
    }
    const bool usable = perform(*operation, sink, positions, files, steps);
    operation->Release();
    return usable;
  }

 private:
  bool perform(IFileOperation& operation, RecycleSink& sink, std::map<std::wstring, std::size_t>& positions,
               const std::vector<std::size_t>& files, std::vector<BinStep>& steps) {
    constexpr DWORD kFlags = FOF_ALLOWUNDO | FOFX_RECYCLEONDELETE | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    // Windows 7 knows no FOFX_ flag; there the sink alone keeps files out of deletion for good.
    HRESULT result = operation.SetOperationFlags(kFlags);
    if (result == E_INVALIDARG) result = operation.SetOperationFlags(kFlags & ~static_cast<DWORD>(FOFX_RECYCLEONDELETE));
    if (FAILED(result)) return false;
    DWORD cookie = 0;
    if (FAILED(operation.Advise(&sink, &cookie))) return false;
    bool usable = true;
    std::size_t handed = 0;
    for (std::size_t k = 0; k < files.size() && usable; ++k) {
      const std::wstring& shellForm = shellForms_[files[k]];
      IShellItem* item = nullptr;
      result = SHCreateItemFromParsingName(shellForm.c_str(), nullptr, IID_IShellItem, reinterpret_cast<void**>(&item));
      if (SUCCEEDED(result)) {
        result = operation.DeleteItem(item, nullptr);
        item->Release();
      }
      if (result == E_NOTIMPL) {
        usable = false;
      } else if (FAILED(result)) {
        const std::string reason = whyStillThere(paths_[files[k]].native(), MessageOfResult(result));
        steps[k] = reason.empty() ? BinStep{BinStep::InBin, std::string()} : BinStep{BinStep::Failed, reason};
      } else {
        positions.emplace(shellKeyOf(shellForm), k);
        ++handed;
      }
    }
    if (usable && handed != 0) {
      result = operation.PerformOperations();
      usable = result != E_NOTIMPL;
      for (BinStep& step : steps) {
        if (step.kind == BinStep::NotReached) step.reason = MessageOfResult(SUCCEEDED(result) ? E_ABORT : result);
      }
    }
    operation.Unadvise(cookie);
    return usable;
  }

  const std::vector<ExactPath>& paths_;
  const std::vector<std::wstring>& shellForms_;
  bool comReady_ = false;
  bool uninitialize_ = false;
};

// Where the shell's file operation is unusable (Wine implements none of it): under Wine
// the XDG trash takes the files; elsewhere none goes.
void recycleIntoWineTrash(const std::vector<ExactPath>& paths, const std::vector<std::size_t>& files,
                          std::vector<RecycleAnswer>& answers) {
  const WineTrash trash;
  for (std::size_t at : files) answers[at] = trash.put(paths[at].native());
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
  return IsInUseError(error) ? RemoveOutcome::InUse : RemoveOutcome::Failed;
}

bool Win32Platform::removeEmptyFolder(const ExactPath& path) {
  const std::wstring& wide = path.native();
  if (RemoveDirectoryW(wide.c_str())) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
  // A read-only folder is removed as Explorer removes it.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (error != ERROR_ACCESS_DENIED || attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & FILE_ATTRIBUTE_READONLY) == 0 || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return false;
  }
  if (!SetFileAttributesW(wide.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY))) return false;
  if (RemoveDirectoryW(wide.c_str())) return true;
  SetFileAttributesW(wide.c_str(), attributes);  // it stays as it was
  return false;
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
  std::vector<std::wstring> shellForms(paths.size());
  std::vector<std::size_t> files;  // positions of the files the shell may get
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (shellFormOf(paths[i], shellForms[i])) {
      files.push_back(i);
    } else {
      answers[i] = {RecycleAnswer::BinRefused, kNoShellFormReason};
    }
  }
  if (files.empty()) return answers;
  ShellBinOperation operation(paths, shellForms);
  const std::vector<std::size_t> rest = recycleThrough(operation, files, kRecycleBatch, answers);
  if (!rest.empty()) recycleIntoWineTrash(paths, rest, answers);
  // The shell names no cause: a file a program holds (Explorer its thumbnails) is told
  // apart, as a deletion tells it, so that an entry that expects that can skip it.
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (answers[i].outcome == RecycleAnswer::Failed && IsInUseError(deleteOpenError(paths[i].native()))) {
      answers[i].outcome = RecycleAnswer::InUse;
    }
  }
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
