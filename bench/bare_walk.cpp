// Reference for the benchmark: the plainest recursive FindFirstFileA walk, touching the
// same per-file facts the scan reads. Prints the number of files.
#include <windows.h>

#include <cstdio>
#include <string>

static unsigned long long facts = 0;

static long walk(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  long files = 0;
  do {
    if (fd.cFileName[0] == '.' && (!fd.cFileName[1] || (fd.cFileName[1] == '.' && !fd.cFileName[2])))
      continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      files += walk(dir + fd.cFileName + "\\");
    } else {
      facts += fd.nFileSizeLow + fd.ftLastAccessTime.dwLowDateTime + fd.ftLastWriteTime.dwLowDateTime;
      ++files;
    }
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return files;
}

int main(int argc, char** argv) {
  long total = 0;
  for (int i = 1; i < argc; ++i) {
    std::string dir = argv[i];
    if (dir.empty() || dir.back() != '\\') dir += '\\';
    total += walk(dir);
  }
  std::printf("%ld files (%llu)\n", total, facts);
  return 0;
}
