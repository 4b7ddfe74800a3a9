#include "engine/classify.h"

#include "engine/junk_categories.h"
#include "engine/name_match.h"

namespace scourix {
namespace {

constexpr int kRecentDays = 7;

}  // namespace

void Classifier::start(const Choices& choices) {
  settings_ = &choices.settings;
  rules_ = choices.rules.all();
}

void Classifier::classify(const WalkedFile& file) {
  const CodePage& codePage = platform_.codePage();
  const std::string& name = file.name;
  const std::size_t dot = codePage.lastDot(name);
  // A name without a full stop is not judged at all, not even as an empty file.
  if (dot == std::string::npos) return;
  pacer_.step();
  const std::string extension = codePage.lower(std::string_view(name).substr(dot));
  std::string tail;
  const bool hasTail = lowerTail(codePage, name, kNameTailLength, tail);

  for (const JunkCategory& row : junkCategories()) {
    if ((settings_->*row.flag).get() == 0) continue;
    switch (row.match) {
      case JunkMatch::Extension:
        if (!row.hasEnding(extension)) break;
        // A temporary file in recent use may still be needed: leave the file alone.
        if (row.recentAccessRule && isRecentAccess(file.lastAccess)) return;
        findings_.add(file, row.label);
        break;
      case JunkMatch::NameTail:
        if (hasTail && row.hasEnding(tail)) findings_.add(file, row.label);
        break;
      case JunkMatch::CustomRules:
        matchRules(file);
        break;
      case JunkMatch::EmptyFile:
        if (file.size == 0) findings_.add(file, row.label);
        break;
    }
  }
}

// Recent: accessed in the current month of the current year, less than seven days ago
// by the day of the month. A time without a local date is not recent.
bool Classifier::isRecentAccess(std::int64_t access) {
  CalendarDate today;
  CalendarDate accessed;
  if (!platform_.localDate(platform_.now(), today) || !platform_.localDate(access, accessed)) {
    return false;
  }
  return today.year == accessed.year && today.month == accessed.month &&
         today.day - accessed.day < kRecentDays;
}

void Classifier::matchRules(const WalkedFile& file) {
  const CodePage& codePage = platform_.codePage();
  for (const ScanRule& rule : rules_) {
    pacer_.step();
    if (rule.enabled == 0) continue;
    if (file.name.size() < rule.pattern.size()) continue;
    const bool matches = rule.matchMode == MatchAtEnd ? endsWithLowered(codePage, file.name, rule.pattern)
                                                      : containsExactly(codePage, file.name, rule.pattern);
    if (matches) findings_.add(file, "my rules(" + rule.pattern + ")");
  }
}

}  // namespace scourix
