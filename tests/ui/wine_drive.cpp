#include "tests/ui/wine_drive.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

namespace scourix::test {

namespace {

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

// Left in the drive's root, so that a letter that a killed test run never removed can be
// told from one of someone else's. No "." in the name: a disk scan never lists it.
constexpr char kMarkerName[] = "~scourix-test-drive";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

using UnixFileNameFunction = char*(CDECL*)(LPCWSTR);

// The Unix path of a Windows path, from Wine's kernel32; empty outside Wine.
std::string UnixPathOf(const std::string& windowsPath) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto toUnix = reinterpret_cast<UnixFileNameFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
  if (toUnix == nullptr) return {};
  std::vector<wchar_t> wide(windowsPath.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  char* unixPath = toUnix(wide.data());
  if (unixPath == nullptr) return {};
  std::string result = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

}  // namespace

bool MakeUnixLink(const std::string& link, const std::string& target) {
  const std::size_t slash = link.find_last_of('\\');
  const std::string unixTarget = UnixPathOf(target);
  const std::string unixParent = UnixPathOf(link.substr(0, slash));
  if (unixTarget.empty() || unixParent.empty()) return false;
  // Wine starts Unix programs too; Win32 has no way to make a link under Wine.
  std::string command = "/bin/ln -s \"" + unixTarget + "\" \"" + unixParent + "/" + link.substr(slash + 1) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  // Wine gives no exit code of a Unix program, and its handle may be signalled early:
  // the link itself tells when it is there.
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  const DWORD linkToFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  for (int attempt = 0; attempt < 250; ++attempt) {
    const DWORD attributes = GetFileAttributesA(link.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & linkToFolder) == linkToFolder) return true;
    Sleep(20);
  }
  return false;
}

WineDriveLetter::WineDriveLetter(char letter, const std::string& folder) : letter_(letter) {
  if (GetDriveTypeA(root().c_str()) != DRIVE_NO_ROOT_DIR) {
    if (!Exists(root() + kMarkerName)) {
      problem_ = root() + " is in use";
      return;
    }
    Define(nullptr);
  }
  std::string bare = folder;
  if (bare.size() > 3 && bare.back() == '\\') bare.pop_back();
  const std::string unixFolder = UnixPathOf(bare);
  if (unixFolder.empty()) {
    problem_ = "not running under Wine";
    return;
  }
  if (!Define(unixFolder.c_str())) {
    problem_ = "the mount manager refused " + root();
    return;
  }
  defined_ = GetDriveTypeA(root().c_str()) == DRIVE_FIXED;
  if (!defined_) {
    Define(nullptr);
    problem_ = root() + " is not a fixed drive";
    return;
  }
  HANDLE marker = CreateFileA((root() + kMarkerName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

WineDriveLetter::~WineDriveLetter() {
  if (defined_) Define(nullptr);
}

bool WineDriveLetter::Define(const char* unixFolder) {
  HANDLE manager = CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  const std::size_t pathBytes = unixFolder != nullptr ? std::strlen(unixFolder) + 1 : 0;
  std::vector<char> buffer(sizeof(UnixDriveRequest) + pathBytes);
  auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
  request->size = static_cast<ULONG>(buffer.size());
  request->letter = static_cast<WCHAR>(letter_ | 0x20);
  // Without a folder the letter is removed.
  request->type = unixFolder != nullptr ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
  if (unixFolder != nullptr) {
    std::memcpy(buffer.data() + sizeof(UnixDriveRequest), unixFolder, pathBytes);
    request->mountPointOffset = sizeof(UnixDriveRequest);
  }
  DWORD returned = 0;
  const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  return ok != FALSE;
}

}  // namespace scourix::test
