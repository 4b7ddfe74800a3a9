// Times filling the found-file list with N distinct findings, each offered twice (the
// second offer must be refused), so the cost of the duplicate check shows. Prints
// "N seconds".
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/clean_engine.h"

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
  scourix::CleanEngine engine(scourix::systemPlatform());
  scourix::FoundFile file;
  file.category = "temp files";
  const auto start = std::chrono::steady_clock::now();
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count; ++i) {
      file.name = "file" + std::to_string(i) + ".tmp";
      file.path = "C:\\some\\deep\\folder\\" + std::to_string(i % 97) + "\\" + file.name;
      engine.addFoundFile(file);
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (engine.foundCount() != count) {
    std::fprintf(stderr, "findings_bench: %d findings, expected %d\n", engine.foundCount(), count);
    return 1;
  }
  engine.clearFoundFiles();
  std::printf("%d %.6f\n", count, seconds);
  return 0;
}
