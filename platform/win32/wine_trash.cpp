#include "platform/win32/wine_trash.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/win32/system_message.h"

namespace scourix {
namespace {

// Why nothing goes to a trash that cannot take files.
constexpr char kTrashUnusableReason[] = "回收站无法接收文件，未删除";
// Why a file stays that only a copy would bring to the trash.
constexpr char kOtherFileSystemReason[] = "回收站无法接收此文件（与回收站不在同一文件系统上），未删除";

template <typename Function>
Function wineFunction(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// The record's Path: the Unix path's bytes, all but the unreserved ones and '/' escaped.
std::string escapedPath(const char* unixPath) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char* at = unixPath; *at != '\0'; ++at) {
    const unsigned char c = static_cast<unsigned char>(*at);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::strchr("-._~/", c) != nullptr;
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string recordOf(const char* unixPath) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[32];
  std::snprintf(date, sizeof date, "%04u-%02u-%02uT%02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  return "[Trash Info]\nPath=" + escapedPath(unixPath) + "\nDeletionDate=" + date + "\n";
}

}  // namespace

WineTrash::WineTrash() {
  using DosNameOf = WCHAR*(CDECL*)(LPCSTR);
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) return;
  const auto dosNameOf = wineFunction<DosNameOf>("wine_get_dos_file_name");
  if (dosNameOf == nullptr) return;
  char unixPath[4096];
  DWORD length = GetEnvironmentVariableA("XDG_DATA_HOME", unixPath, sizeof unixPath);
  std::string data(unixPath, length < sizeof unixPath ? length : 0);
  if (data.empty()) {
    length = GetEnvironmentVariableA("HOME", unixPath, sizeof unixPath);
    if (length == 0 || length >= sizeof unixPath) return;
    data = std::string(unixPath, length) + "/.local/share";
  }
  WCHAR* dos = dosNameOf(data.c_str());
  if (dos == nullptr) return;
  const std::wstring trash = std::wstring(dos) + L"\\Trash";
  HeapFree(GetProcessHeap(), 0, dos);
  for (const std::wstring& folder : {trash, trash + L"\\files", trash + L"\\info"}) {
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return;
  }
  files_ = trash + L"\\files\\";
  info_ = trash + L"\\info\\";
}

RecycleAnswer WineTrash::put(const std::wstring& path) const {
  using UnixNameOf = char*(CDECL*)(LPCWSTR);
  const auto unixNameOf = wineFunction<UnixNameOf>("wine_get_unix_file_name");
  char* unixPath = usable() && unixNameOf != nullptr ? unixNameOf(path.c_str()) : nullptr;
  if (unixPath == nullptr) return {RecycleAnswer::BinRefused, kTrashUnusableReason};
  const std::string record = recordOf(unixPath);
  HeapFree(GetProcessHeap(), 0, unixPath);
  const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  // A name the trash holds already gets a number: "a.bak.2".
  for (int number = 1; number <= 1000; ++number) {
    const std::wstring unique = number == 1 ? name : name + L"." + std::to_wstring(number);
    const std::wstring infoPath = info_ + unique + L".trashinfo";
    // The record is made first and only where none is: it claims the name.
    HANDLE info = CreateFileW(infoPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (info == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return {RecycleAnswer::BinRefused, kTrashUnusableReason};
    }
    DWORD written = 0;
    const bool recorded = WriteFile(info, record.data(), static_cast<DWORD>(record.size()), &written, nullptr) &&
                          written == record.size();
    CloseHandle(info);
    // No MOVEFILE_COPY_ALLOWED: a copy that fails part way is what loses files.
    if (recorded && MoveFileExW(path.c_str(), (files_ + unique).c_str(), 0)) return {};
    const DWORD error = recorded ? GetLastError() : ERROR_WRITE_FAULT;
    DeleteFileW(infoPath.c_str());
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
    if (error == ERROR_NOT_SAME_DEVICE) return {RecycleAnswer::BinRefused, kOtherFileSystemReason};
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};  // gone from its place
    return {IsInUseError(error) ? RecycleAnswer::InUse : RecycleAnswer::Failed, SystemMessage(error)};
  }
  return {RecycleAnswer::BinRefused, kTrashUnusableReason};
}

}  // namespace scourix
