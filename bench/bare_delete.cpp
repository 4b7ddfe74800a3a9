// Reference for the deletion benchmark: lists every file under a folder whose name starts
// with "junk", then deletes them one by one with DeleteFileA, as the engine does. Prints
// "N files S" with the seconds of the deleting loop alone.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

static void collect(const std::string& dir, std::vector<std::string>& paths) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      collect(dir + name + "\\", paths);
    } else if (name.compare(0, 4, "junk") == 0) {
      paths.push_back(dir + name);
    }
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string dir = argv[1];
  if (dir.back() != '\\') dir += '\\';
  std::vector<std::string> paths;
  collect(dir, paths);
  const auto start = std::chrono::steady_clock::now();
  long deleted = 0;
  for (const std::string& path : paths) deleted += DeleteFileA(path.c_str()) != 0 ? 1 : 0;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld files %.3f\n", deleted, seconds);
  return deleted == static_cast<long>(paths.size()) ? 0 : 1;
}
