// Reference for the deletion benchmark: lists every file under a folder whose name starts
// with "junk", then deletes them one by one with DeleteFileW, as the engine does. Prints
// "N files S" with the seconds of the deleting loop alone.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

static void collect(const std::wstring& dir, std::vector<std::wstring>& paths) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      collect(dir + name + L"\\", paths);
    } else if (name.compare(0, 4, L"junk") == 0) {
      paths.push_back(dir + name);
    }
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string given = argv[1];
  std::wstring dir(given.begin(), given.end());  // an ASCII path
  if (dir.back() != L'\\') dir += L'\\';
  std::vector<std::wstring> paths;
  collect(dir, paths);
  const auto start = std::chrono::steady_clock::now();
  long deleted = 0;
  for (const std::wstring& path : paths) deleted += DeleteFileW(path.c_str()) != 0 ? 1 : 0;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld files %.3f\n", deleted, seconds);
  return deleted == static_cast<long>(paths.size()) ? 0 : 1;
}
