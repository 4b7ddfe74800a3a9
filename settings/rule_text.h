#pragma once
// The rule text file: one rule a line, "pattern,description,matchMode,enabled", in the
// ANSI code page, lines ending in CR LF.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/rule_store.h"

namespace scourix {

class Platform;

// Parses one line (without its line end) as the import does. False when the line gives
// no rule (empty, white space only, or no comma).
bool parseRuleLine(std::string_view line, ScanRule& rule);

// Parses a whole file's text: lines split at LF, a CR before it dropped, a last line
// without a line end included.
std::vector<ScanRule> parseRuleText(std::string_view text);

// The outcome of reading or writing a rule text file.
enum class RuleFileStatus {
  Ok,
  CannotOpen,  // the file could not be opened or created
  IoError,     // a read or write failed part way
};

// Asked before a rule whose pattern is already in the store is added; true adds it anyway.
using AddDuplicateRule = std::function<bool(const std::string& pattern)>;

// Reads the file at path and appends each rule to the store, a duplicate pattern only when
// `addDuplicate` (if given) says so. Rules added before an error stay in the store.
RuleFileStatus importRules(const std::string& path, RuleStore& store,
                           const AddDuplicateRule& addDuplicate);
// Writes the whole store to path, one "%s,%s,%d,%d" line a rule, CR LF line ends. The
// lines go to a file beside it that then takes its place, so a failed export leaves the
// file that was there as it was.
RuleFileStatus exportRules(const std::string& path, const RuleStore& store, Platform& platform);

}  // namespace scourix
