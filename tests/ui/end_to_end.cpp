#include "tests/ui/end_to_end.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>

#include "engine/size_text.h"
#include "res/resource.h"

namespace scourix::test {

namespace {
// Long before any test runs: a temp file accessed then is not recent.
const std::int64_t kOldTime = localNoon(2001, 3, 14);

// Wine's own request to its mount manager ("\\.\MountPointManager"): define or remove a
// drive letter backed by a Unix folder.
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDriveRequest {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset;  // of the Unix folder, a zero-terminated string after the record
  USHORT deviceOffset;
  USHORT labelOffset;
};

// The Unix path of a Windows path, from Wine's kernel32; empty outside Wine.
std::string UnixPathOf(std::string windowsPath) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (toUnix == nullptr) return {};
  if (windowsPath.back() == '\\') windowsPath.pop_back();
  std::vector<wchar_t> wide(windowsPath.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  char* unixPath = toUnix(wide.data());
  if (unixPath == nullptr) return {};
  std::string result = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

// Asks Wine's mount manager to map drive M: to a Unix folder as a fixed disk (as winecfg
// does), or without a folder to remove it. A letter left by a killed run is taken over.
bool DefineDriveM(const std::string& unixFolder) {
  HANDLE manager = CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  std::vector<char> buffer(sizeof(UnixDriveRequest) + unixFolder.size() + 1);
  auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
  request->size = static_cast<ULONG>(buffer.size());
  request->letter = L'm';
  request->type = unixFolder.empty() ? DRIVE_NO_ROOT_DIR : DRIVE_FIXED;
  request->mountPointOffset = unixFolder.empty() ? 0 : sizeof(UnixDriveRequest);
  std::memcpy(buffer.data() + sizeof(UnixDriveRequest), unixFolder.c_str(), unixFolder.size() + 1);
  DWORD returned = 0;
  const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  return ok != FALSE;
}

}  // namespace

std::string LineText(const std::string& category, const std::string& path, std::uint64_t size) {
  return "[" + category + "]" + path + "  " + formatSize(size);
}

EndToEnd::EndToEnd() {
  const std::string unixFolder = UnixPathOf(files.root());
  driveReady = !unixFolder.empty() && DefineDriveM(unixFolder) && GetDriveTypeA("M:\\") == DRIVE_FIXED;
}

EndToEnd::~EndToEnd() {
  if (!driveReady) return;
  DefineDriveM("");
  // Links and paths past 259 characters are beyond the tree's own removal under Wine.
  const std::string root = files.root();
  // Wine gives no exit code of a Unix program and may end the wait early: the tree tells.
  RunCommand("/bin/rm -rf \"" + UnixPathOf(root) + "\"", 5000);
  PumpUntil([&] { return GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

void EndToEnd::SetUp() {
  if (!driveReady) GTEST_SKIP() << "no drive M: of the test's own (not under Wine?)";
  engine.setPacing(false);
}

DWORD EndToEnd::RunCommand(std::string command, DWORD waitMs, HANDLE output) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (output != nullptr) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &startup,
                      &process)) {
    return kNotRun;
  }
  // Wine starts a Unix program without a Windows process and leaves the information's
  // handles unset: closing such a value would close whatever handle of ours it happens to
  // be. Only handles that are the process and thread they say are waited for and closed.
  if (process.dwProcessId == 0 || GetProcessId(process.hProcess) != process.dwProcessId) return kNotRun;
  if (GetThreadId(process.hThread) == process.dwThreadId) CloseHandle(process.hThread);
  if (WaitForSingleObject(process.hProcess, waitMs) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, kNotRun);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = kNotRun;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  return code;
}

std::string EndToEnd::CommandOutput(const std::string& command) {
  const std::string file = settings.path("output.txt");
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE output = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
  RunCommand(command, 60000, output);
  CloseHandle(output);
  return TempTree::read(file);
}

bool EndToEnd::TrashIsTheTests() {
  char data[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("XDG_DATA_HOME", data, MAX_PATH);
  return length > 0 && length < MAX_PATH && std::strstr(data, "/build/") != nullptr;
}

void EndToEnd::MakeExactFile(const std::wstring& relative, std::size_t size) {
  const std::wstring path = L"\\\\?\\M:\\" + relative;
  for (std::size_t slash = path.find(L'\\', 7); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
    CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(handle, std::string(size, 'x').data(), static_cast<DWORD>(size), &written, nullptr));
  CloseHandle(handle);
}

void EndToEnd::Run(ScriptedMain& window, const std::function<void()>& script) {
  window.SetEffectDelay(0);
  window.script = script;
  window.DoModal();
}

std::string EndToEnd::DrivePath(const std::string& relative) const {
  std::string path = "M:\\";
  for (char c : relative) path += c == '/' ? '\\' : c;
  return path;
}

std::string EndToEnd::MakeFile(const std::string& relative, std::size_t size) {
  TempTree::setTimes(files.file(relative, size), kOldTime, kOldTime);
  return DrivePath(relative);
}

// Wine has no Win32 way to make a link: /bin/ln makes it, and the link itself tells when it
// is there.
void EndToEnd::MakeLink(const std::string& relative, const std::string& targetRelative) {
  const std::string link = DrivePath(relative);
  const std::size_t slash = link.find_last_of('\\');
  const std::string unixTarget = UnixPathOf(DrivePath(targetRelative));
  const std::string unixParent = UnixPathOf(link.substr(0, slash));
  ASSERT_FALSE(unixTarget.empty() || unixParent.empty()) << relative;
  RunCommand("/bin/ln -s \"" + unixTarget + "\" \"" + unixParent + "/" + link.substr(slash + 1) + "\"", 5000);
  const DWORD linkToFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  ASSERT_TRUE(PumpUntil([&] {
    const DWORD attributes = GetFileAttributesA(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & linkToFolder) == linkToFolder;
  })) << relative;
}

void EndToEnd::Press(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  EXPECT_TRUE(IsWindowEnabled(button) && IsWindowVisible(button)) << "button " << id;
  SendMessageA(button, BM_CLICK, 0, 0);
}

void EndToEnd::ScanFrom(HWND page, int startId) {
  Press(page, startId);
  EXPECT_TRUE(PumpUntil([&] { return !engine.scanBusy(); })) << "the scan did not end";
  engine.waitForScan();
  PumpPending();  // "扫描完毕", posted by the worker at its end
}

void EndToEnd::TickOnlyTheTestDrive(ScriptedMain& window) {
  Press(window.diskPage().hwnd(), IDC_DISK_SELECT_NONE);
  TreeView drives;
  drives.Attach(window.diskPage().Item(IDC_DISK_TREE));
  HTREEITEM item = FindItem(drives, drives.GetRoot(), DrivePath());
  ASSERT_NE(item, nullptr) << "the disk page does not show M:";
  ClickBox(drives, item);
}

void EndToEnd::ClickItem(HWND tree, const std::string& text) {
  TreeView items;
  items.Attach(tree);
  HTREEITEM item = FindItem(items, TVI_ROOT, text);
  ASSERT_NE(item, nullptr) << text;
  items.Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  ClickBox(items, item);
}

std::vector<ResultLine> EndToEnd::ResultLines(ScriptedMain& window) {
  TreeView lines;
  lines.Attach(window.resultWindow().Item(IDC_RESULT_TREE));
  PaintNow(window.resultWindow().hwnd());
  std::vector<ResultLine> result;
  for (HTREEITEM item : ItemsBelow(lines, TVI_ROOT)) result.push_back({lines.GetItemText(item), BoxOf(lines, item)});
  return result;
}

std::vector<std::wstring> EndToEnd::WideResultTexts(ScriptedMain& window) {
  TreeView lines;
  lines.Attach(window.resultWindow().Item(IDC_RESULT_TREE));
  std::vector<std::wstring> texts;
  for (HTREEITEM item : ItemsBelow(lines, TVI_ROOT)) {
    wchar_t text[1024] = {};
    TVITEMW read{};
    read.mask = TVIF_TEXT;
    read.hItem = item;
    read.pszText = text;
    read.cchTextMax = 1024;
    lines.Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
    texts.push_back(text);
  }
  return texts;
}

void EndToEnd::UntickLines(ScriptedMain& window, const std::vector<std::string>& texts) {
  for (const std::string& text : texts) ClickItem(window.resultWindow().Item(IDC_RESULT_TREE), text);
}

void EndToEnd::DeleteTicked(ScriptedMain& window, MessageBoxAnswerer& answer) {
  HWND result = window.resultWindow().hwnd();
  // The window enables its buttons on its own timer once it shows lines.
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(GetDlgItem(result, IDC_RESULT_DELETE)) != FALSE; }));
  answer.QueueAnswers({IDYES});
  Press(result, IDC_RESULT_DELETE);
}

}  // namespace scourix::test
