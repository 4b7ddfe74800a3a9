// The disk scan's judgement of one file: the category table, the custom rules and the
// recent-access rule of the temporary files.
#include "engine/clean_engine.h"
#include "engine/junk_categories.h"
#include "engine/name_match.h"

namespace scourix {
namespace {

constexpr int kRecentDays = 7;

}  // namespace

void CleanEngine::classifyFile(const std::string& name, const std::string& path,
                               std::int64_t access, std::int64_t write, std::uint64_t size) {
  countExamined();
  raiseProgress();
  setCurrentPath(path);
  const CodePage& codePage = platform_.codePage();
  const std::size_t dot = codePage.lastDot(name);
  // A name without a full stop is not judged at all, not even as an empty file.
  if (dot == std::string::npos) return;
  paceStep();
  const std::string extension = codePage.lower(std::string_view(name).substr(dot));
  std::string tail;
  const bool hasTail = lowerTail(codePage, name, kNameTailLength, tail);

  for (const JunkCategory& row : junkCategories()) {
    if ((choices_.settings.*row.flag).get() == 0) continue;
    switch (row.match) {
      case JunkMatch::Extension:
        if (!row.hasEnding(extension)) break;
        // A temporary file in recent use may still be needed: leave the file alone.
        if (row.recentAccessRule && isRecentAccess(access)) return;
        offerFinding(access, write, size, name, path, row.label);
        break;
      case JunkMatch::NameTail:
        if (hasTail && row.hasEnding(tail)) offerFinding(access, write, size, name, path, row.label);
        break;
      case JunkMatch::CustomRules:
        matchRules(name, path, access, write, size);
        break;
      case JunkMatch::EmptyFile:
        if (size == 0) offerFinding(access, write, size, name, path, row.label);
        break;
    }
  }
}

// Recent: accessed in the current month of the current year, less than seven days ago
// by the day of the month. A time without a local date is not recent.
bool CleanEngine::isRecentAccess(std::int64_t access) {
  CalendarDate today;
  CalendarDate accessed;
  if (!platform_.localDate(platform_.now(), today) || !platform_.localDate(access, accessed)) {
    return false;
  }
  return today.year == accessed.year && today.month == accessed.month &&
         today.day - accessed.day < kRecentDays;
}

void CleanEngine::matchRules(const std::string& name, const std::string& path,
                             std::int64_t access, std::int64_t write, std::uint64_t size) {
  const CodePage& codePage = platform_.codePage();
  for (const ScanRule& rule : scanRules_) {
    paceStep();
    if (rule.enabled == 0) continue;
    if (name.size() < rule.pattern.size()) continue;
    const bool matches = rule.matchMode == MatchAtEnd
                             ? endsWithLowered(codePage, name, rule.pattern)
                             : containsExactly(codePage, name, rule.pattern);
    if (matches) offerFinding(access, write, size, name, path, "my rules(" + rule.pattern + ")");
  }
}

}  // namespace scourix
