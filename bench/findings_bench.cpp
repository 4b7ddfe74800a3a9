// Times filling the found-file list with N distinct findings the way a scan offers them:
// each file is offered under its first category and then again under a second one that
// also matches it (the second offer must be refused), so the cost of the duplicate check
// shows. The fill runs fifteen times on fresh lists and the best time counts, so a short
// run is not all noise. Prints "N seconds".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/findings.h"

namespace {

double fillOnce(int count, const std::vector<scourix::WalkedFile>& files) {
  scourix::Findings findings;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    findings.add(files[i], "temp files");
    findings.add(files[i], "empty files");
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (findings.count() != count) {
    std::fprintf(stderr, "findings_bench: %d findings, expected %d\n", findings.count(), count);
    std::exit(1);
  }
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
  // The texts are made beforehand: only the list's own work is timed.
  // Paths of the platform's own form, in 97 folders whose files come interleaved.
  const char separator = scourix::systemPlatform().separator();
  const std::string root = separator == '/' ? "/some/deep/folder/" : "C:\\some\\deep\\folder\\";
  std::vector<scourix::WalkedFile> files(count);
  for (int i = 0; i < count; ++i) {
    files[i].name = "file" + std::to_string(i) + ".tmp";
    files[i].path = root + std::to_string(i % 97) + separator + files[i].name;
    files[i].exact = scourix::systemPlatform().exactPathOf(files[i].path);
  }
  double best = 1e9;
  for (int run = 0; run < 15; ++run) best = std::min(best, fillOnce(count, files));
  std::printf("%d %.6f\n", count, best);
  return 0;
}
