#include "platform/bin_operation.h"

#include <algorithm>

namespace scourix {

std::vector<std::size_t> recycleThrough(BinOperation& bin, const std::vector<std::size_t>& files, std::size_t batch,
                                        std::vector<RecycleAnswer>& answers) {
  std::vector<std::size_t> queue = files;
  std::size_t next = 0;  // the first file of the queue not handed over yet
  std::vector<BinStep> steps;
  while (next < queue.size()) {
    const std::size_t end = std::min(queue.size(), next + batch);
    const std::vector<std::size_t> handed(queue.begin() + static_cast<std::ptrdiff_t>(next),
                                          queue.begin() + static_cast<std::ptrdiff_t>(end));
    steps.assign(handed.size(), BinStep());
    if (!bin.run(handed, steps)) return std::vector<std::size_t>(queue.begin() + static_cast<std::ptrdiff_t>(next), queue.end());
    std::vector<std::size_t> again;  // positions in `handed` of the files not reached
    bool reachedAny = false;
    for (std::size_t k = 0; k < handed.size(); ++k) {
      RecycleAnswer& answer = answers[handed[k]];
      switch (steps[k].kind) {
        case BinStep::NotReached:
          again.push_back(k);
          break;
        case BinStep::InBin:
          answer = {RecycleAnswer::InBin, std::string()};
          reachedAny = true;
          break;
        case BinStep::Refused:
          answer = {RecycleAnswer::BinRefused, steps[k].reason};
          reachedAny = true;
          break;
        case BinStep::Failed:
          answer = {RecycleAnswer::Failed, steps[k].reason};
          reachedAny = true;
          break;
      }
    }
    // The files not reached go first in the next operation: they take the last places of
    // this one's part of the queue, so that nothing after it is copied again. An operation
    // that ended before its first file would end there again: its files keep the failure
    // it gave.
    std::size_t first = end;
    for (auto k = again.rbegin(); k != again.rend(); ++k) {
      if (reachedAny) {
        queue[--first] = handed[*k];
      } else {
        answers[handed[*k]] = {RecycleAnswer::Failed, steps[*k].reason};
      }
    }
    next = first;
  }
  return {};
}

}  // namespace scourix
