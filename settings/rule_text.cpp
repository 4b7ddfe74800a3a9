#include "settings/rule_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>

#include "platform/platform.h"

namespace scourix {

namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kWhiteSpace);
  return text.substr(first, last - first + 1);
}

// atoi's reading of a number: leading white space, an optional sign, the digits that
// follow. A value beyond 32 bits saturates, as the Windows runtime's atoi does, instead
// of being undefined.
std::int32_t decimalValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && kWhiteSpace.find(text[i]) != std::string_view::npos) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value >= limit) {
      value = limit;
      break;
    }
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

// What printf's "%s" writes of a text: everything before its first zero byte.
std::string_view asCString(const std::string& text) { return std::string_view(text.c_str()); }

// A field of a rule's line: a line break in it (CR or LF) becomes a space, so that the
// rule stays one line and a part of it can never be read back as a rule of its own.
void appendField(std::string& out, std::string_view text) {
  for (char c : text) out += c == '\n' || c == '\r' ? ' ' : c;
}

// The description, which the scan never reads, gives its commas up for semicolons: read
// back, a comma would shift the mode and the state (a disabled rule would come back
// enabled).
void appendDescription(std::string& out, std::string_view text) {
  const std::size_t start = out.size();
  appendField(out, text);
  std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), ',', ';');
}

}  // namespace

bool parseRuleLine(std::string_view line, ScanRule& rule) {
  line = trim(line);
  const std::size_t first = line.find(',');
  if (first == std::string_view::npos) return false;
  rule = ScanRule();
  rule.pattern = std::string(line.substr(0, first));
  const std::size_t second = line.find(',', first + 1);
  if (second == std::string_view::npos) return true;
  rule.description = std::string(line.substr(first + 1, second - first - 1));
  const std::size_t third = line.find(',', second + 1);
  if (third == std::string_view::npos) return true;
  rule.matchMode = decimalValue(line.substr(second + 1, third - second - 1));
  const std::string_view state = line.substr(third + 1);
  if (!state.empty()) rule.enabled = decimalValue(state);
  return true;
}

std::vector<ScanRule> parseRuleText(std::string_view text) {
  std::vector<ScanRule> rules;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    ScanRule rule;
    if (parseRuleLine(line, rule)) rules.push_back(std::move(rule));
  }
  return rules;
}

RuleFileStatus importRules(const std::string& path, RuleStore& store,
                           const AddDuplicateRule& addDuplicate) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return RuleFileStatus::CannotOpen;
  std::string text;
  bool failed = false;
  try {
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    failed = std::ferror(file) != 0;
  } catch (const std::bad_alloc&) {
    failed = true;
  }
  std::fclose(file);
  if (failed) return RuleFileStatus::IoError;
  try {
    for (const ScanRule& rule : parseRuleText(text)) {
      if (addDuplicate && store.hasPattern(rule.pattern) && !addDuplicate(rule.pattern)) continue;
      store.append(rule);
    }
  } catch (const std::bad_alloc&) {
    return RuleFileStatus::IoError;
  }
  return RuleFileStatus::Ok;
}

RuleFileStatus exportRules(const std::string& path, const RuleStore& store, Platform& platform) {
  // Binary, with the CR LF line ends text mode would give on Windows, so that every
  // build writes the same bytes.
  // Beside the chosen file, by a name no file there has: a user's own "rules.txt.tmp"
  // is neither overwritten nor removed.
  std::string temp = path + ".tmp";
  for (int number = 1; number < 1000; ++number) {
    std::FILE* existing = std::fopen(temp.c_str(), "rb");
    if (existing == nullptr) break;
    std::fclose(existing);
    temp = path + "." + std::to_string(number) + ".tmp";
  }
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return RuleFileStatus::CannotOpen;
  bool failed = false;
  std::string line;
  for (const ScanRule& rule : store.all()) {
    line.clear();
    appendField(line, asCString(rule.pattern));
    line += ',';
    appendDescription(line, asCString(rule.description));
    line += ',' + std::to_string(rule.matchMode) + ',' + std::to_string(rule.enabled) + "\r\n";
    if (std::fwrite(line.data(), 1, line.size(), file) != line.size()) {
      failed = true;
      break;
    }
  }
  if (std::fflush(file) != 0) failed = true;
  if (std::fclose(file) != 0) failed = true;
  if (!failed && !platform.replaceFile(temp, path)) failed = true;
  if (failed) std::remove(temp.c_str());
  return failed ? RuleFileStatus::IoError : RuleFileStatus::Ok;
}

}  // namespace scourix
