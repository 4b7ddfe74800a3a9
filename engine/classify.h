#pragma once
// The disk scan's judgement of one file: the category table, the custom rules and the
// recent-access rule of the temporary files.
#include <cstdint>
#include <vector>

#include "engine/choices.h"
#include "engine/findings.h"
#include "engine/scan_progress.h"

namespace scourix {

class Classifier {
 public:
  Classifier(Platform& platform, Pacer& pacer, Findings& findings)
      : platform_(platform), pacer_(pacer), findings_(findings) {}

  // A scan starts: it keeps the rules as they are now (the rules page may change the store
  // meanwhile) and reads the flags file by file (the options may change at any time).
  void start(const Choices& choices);
  // Adds the file to the findings under each category it belongs to, in table order.
  void classify(const WalkedFile& file);

 private:
  bool isRecentAccess(std::int64_t access);
  void matchRules(const WalkedFile& file);

  Platform& platform_;
  Pacer& pacer_;
  Findings& findings_;
  const ScanSettings* settings_ = nullptr;
  std::vector<ScanRule> rules_;
};

}  // namespace scourix
