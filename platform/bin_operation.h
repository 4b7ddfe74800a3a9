#pragma once
// Moving files to the recycle bin through an operation of the shell that may stop short:
// which files go again in the next operation, which stay, and what each answer is. Kept
// apart from the shell so that the decisions can be driven without it.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace scourix {

// What one operation did with one file handed to it.
struct BinStep {
  enum Kind {
    NotReached,  // the operation ended before it came to the file: untouched
    InBin,
    Refused,  // the bin would not take it (the shell would have deleted it for good): untouched
    Failed,   // still there for another reason
  } kind = NotReached;
  std::string reason;  // why it did not go (for a file not reached: why the operation ended)
};

class BinOperation {
 public:
  virtual ~BinOperation() = default;
  // Hands the files (positions in the caller's list) to the bin as one operation, which
  // ends at the first file the bin refuses, and says per file what became of it (`steps`
  // comes sized as `files`, every step NotReached). False when the operation cannot be
  // used at all: then it has touched nothing.
  virtual bool run(const std::vector<std::size_t>& files, std::vector<BinStep>& steps) = 0;
};

// Moves the files at the positions `files` of `answers` through operations of at most
// `batch` files each. A file the bin refused stays, answered BinRefused; the files an
// operation did not reach go in the next one, unless it reached none at all. Returns the
// positions left to another way of recycling because the operation cannot be used.
std::vector<std::size_t> recycleThrough(BinOperation& bin, const std::vector<std::size_t>& files, std::size_t batch,
                                        std::vector<RecycleAnswer>& answers);

}  // namespace scourix
