#pragma once
// The fixed category table of the disk scan, in test order: a file several rows match is
// listed under the first.
#include <string>
#include <vector>

#include "engine/scan_settings.h"

namespace scourix {

enum class JunkMatch {
  Extension,    // the lower-cased extension, from the last '.', equals an ending
  NameTail,     // the lower-cased last seven bytes of the name equal an ending
  CustomRules,  // the user's rules decide (and name the finding)
  EmptyFile,    // the file has no bytes
};

struct JunkCategory {
  const char* label;
  Flag ScanSettings::*flag;
  JunkMatch match;
  std::vector<std::string> endings;
  bool recentAccessRule;  // a recently used file with one of these endings ends the test

  bool hasEnding(const std::string& text) const;
};

constexpr std::size_t kNameTailLength = 7;

const std::vector<JunkCategory>& junkCategories();

}  // namespace scourix
