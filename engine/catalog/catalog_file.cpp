#include "engine/catalog/catalog_file.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <utility>

#include "engine/catalog/names.h"

namespace scourix::catalog {
namespace {

std::string_view trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::vector<std::string> patternList(std::string_view text) {
  std::vector<std::string> patterns;
  for (std::string_view part : split(text, ';')) {
    if (!trim(part).empty()) patterns.emplace_back(trim(part));
  }
  return patterns;
}

// An exclusion's names are matched against names alone: one holding a folder would never
// match, and the files it was written to keep would go.
bool namesAFolder(const std::vector<std::string>& patterns) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [](const std::string& p) { return p.find_first_of("\\/") != std::string::npos; });
}

bool allDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](char c) { return c >= '0' && c <= '9'; });
}

// The number after `prefix` in a lower-cased key: -1 when the key is not of that kind,
// 0 when it is but its number is missing or malformed.
int numberedKey(const std::string& key, std::string_view prefix) {
  if (key.compare(0, prefix.size(), prefix) != 0) return -1;
  const std::string_view number = std::string_view(key).substr(prefix.size());
  return allDigits(number) && number.size() < 6 ? std::atoi(std::string(number).c_str()) : 0;
}

std::optional<FileKey> parseFileKey(int number, std::string_view value) {
  const std::vector<std::string_view> parts = split(value, '|');
  if (parts.size() < 2 || trim(parts[0]).empty()) return std::nullopt;
  FileKey key{number, std::string(trim(parts[0])), patternList(parts[1])};
  if (key.patterns.empty()) return std::nullopt;
  for (std::size_t i = 2; i < parts.size(); ++i) {
    const std::string flag = lowerAscii(trim(parts[i]));
    if (flag == "recurse") {
      key.recurse = true;
    } else if (flag == "removeself") {
      key.recurse = key.removeSelf = true;
    } else {
      return std::nullopt;  // a misspelt flag or a stray '|' would change what is deleted
    }
  }
  return key;
}

std::optional<ExcludeKey> parseExcludeKey(int number, std::string_view value) {
  const std::vector<std::string_view> parts = split(value, '|');
  const std::string form = lowerAscii(trim(parts[0]));
  ExcludeKey key;
  key.number = number;
  if (form == "reg" && parts.size() >= 2) {
    key.form = ExcludeForm::Registry;
    return key;
  }
  if (form == "file" && (parts.size() == 2 || parts.size() == 3)) {
    key.form = ExcludeForm::File;
    std::string_view folder = trim(parts[1]);
    std::string_view name = parts.size() == 3 ? trim(parts[2]) : std::string_view();
    if (parts.size() == 2) {
      const std::size_t slash = folder.find_last_of("\\/");
      if (slash == std::string_view::npos) return std::nullopt;
      name = folder.substr(slash + 1);
      folder = folder.substr(0, slash);
    }
    key.folder = std::string(folder);
    key.patterns = patternList(name);
    if (key.folder.empty() || key.patterns.size() != 1 || namesAFolder(key.patterns)) return std::nullopt;
    return key;
  }
  if (form == "path" && (parts.size() == 2 || parts.size() == 3)) {
    key.folder = std::string(trim(parts[1]));
    if (parts.size() == 3) key.patterns = patternList(parts[2]);
    if (key.folder.empty() || namesAFolder(key.patterns)) return std::nullopt;
    return key;
  }
  return std::nullopt;
}

bool parseFlag(std::string_view value, bool& flag) {
  const std::string lower = lowerAscii(value);
  if (lower == "1" || lower == "true") return flag = true, true;
  if (lower == "0" || lower == "false") return flag = false, true;
  return false;
}

std::optional<std::pair<int, int>> parseVersion(std::string_view text) {
  const std::vector<std::string_view> parts = split(trim(text), '.');
  if (parts.size() != 2 || !allDigits(parts[0]) || !allDigits(parts[1]) ||
      parts[0].size() > 4 || parts[1].size() > 4) {
    return std::nullopt;
  }
  return std::make_pair(std::atoi(std::string(parts[0]).c_str()),
                        std::atoi(std::string(parts[1]).c_str()));
}

// A DetectOS range: its lowest and highest version, each missing when open.
using Version = std::pair<int, int>;
struct OsRange {
  std::optional<Version> low, high;
};
std::optional<OsRange> parseOsRange(std::string_view text) {
  const std::vector<std::string_view> parts = split(trim(text), '|');
  if (parts.size() > 2) return std::nullopt;
  const std::string_view low = trim(parts[0]);
  const std::string_view high = parts.size() == 2 ? trim(parts[1]) : low;
  OsRange range;
  if (!low.empty() && !(range.low = parseVersion(low))) return std::nullopt;
  if (!high.empty() && !(range.high = parseVersion(high))) return std::nullopt;
  if (!range.low && !range.high) return std::nullopt;
  return range;
}

// The registry keys of the detection codes older files still use.
const char* specialDetectKey(const std::string& code) {
  static const std::pair<const char*, const char*> codes[] = {
      {"det_chrome", "HKCU\\Software\\Google\\Chrome"},
      {"det_mozilla", "HKCU\\Software\\Mozilla\\Firefox"},
      {"det_opera", "HKCU\\Software\\Opera Software"},
      {"det_thunderbird", "HKLM\\SOFTWARE\\Clients\\Mail\\Mozilla Thunderbird"},
      {"det_windows", "HKCU\\Software\\Microsoft"},
  };
  for (const auto& [name, key] : codes) {
    if (code == name) return key;
  }
  return nullptr;
}

struct Section {
  std::string name;
  bool malformed = false;
  std::vector<std::pair<std::string, std::string>> keys;  // lower-cased key, value
};

// Builds the entry of a section; false when the section is broken.
bool buildEntry(const Section& section, Entry& entry, int& regKeys) {
  if (section.malformed || !isValidUtf8(section.name)) return false;
  entry.section = section.name;
  std::string_view name = section.name;
  if (!name.empty() && name.back() == '*') name = trim(name.substr(0, name.size() - 1));
  entry.name = std::string(name);
  std::string sectionGroup, scourixGroup, langSecRef;
  std::set<std::string> seen;
  for (const auto& [key, value] : section.keys) {
    if (!seen.insert(key).second || !isValidUtf8(value)) return false;
    int number = 0;
    bool ok = true;
    if (key == "section") {
      sectionGroup = value;
    } else if (key == "langsecref") {
      ok = allDigits(value);
      langSecRef = "LangSecRef " + value;
    } else if ((number = numberedKey(key, "detectfile")) >= 0) {
      ok = number > 0 || key == "detectfile";
      entry.detectFiles.push_back(value);
    } else if (key == "detectos") {
      entry.detectOs = value;
      ok = parseOsRange(value).has_value();
    } else if ((number = numberedKey(key, "detect")) >= 0) {
      ok = number > 0 || key == "detect";
      entry.detectKeys.push_back(value);
    } else if (key == "specialdetect") {
      const char* detectKey = specialDetectKey(lowerAscii(value));
      ok = detectKey != nullptr;
      if (ok) entry.detectKeys.emplace_back(detectKey);
    } else if (key == "default") {
      ok = parseFlag(value, entry.defaultTicked);
    } else if (key == "warning") {
      entry.warning = value;
    } else if ((number = numberedKey(key, "filekey")) >= 0) {
      const std::optional<FileKey> fileKey = parseFileKey(number, value);
      ok = number > 0 && fileKey.has_value();
      if (ok) entry.fileKeys.push_back(*fileKey);
    } else if ((number = numberedKey(key, "excludekey")) >= 0) {
      const std::optional<ExcludeKey> excludeKey = parseExcludeKey(number, value);
      ok = number > 0 && excludeKey.has_value();
      if (ok) entry.excludeKeys.push_back(*excludeKey);
    } else if ((number = numberedKey(key, "regkey")) >= 0) {
      ok = number > 0;
      ++regKeys;
    } else if (key == "scourixlabel") {
      entry.label = value;
    } else if (key == "scourixgroup") {
      scourixGroup = value;
    } else if (key == "scourixadmin") {
      ok = parseFlag(value, entry.needsAdmin);
    } else if (key == "scourixminagedays") {
      ok = allDigits(value) && value.size() < 5;
      if (ok) entry.minAgeDays = std::atoi(value.c_str());
    } else if (key == "scourixkeepnewest") {
      ok = parseFlag(value, entry.keepNewest);
    } else if (key == "scourixskipinuse") {
      ok = parseFlag(value, entry.skipInUse);
    } else if ((number = numberedKey(key, "scourixskipif")) >= 0) {
      ok = (number > 0 || key == "scourixskipif") && !value.empty();
      entry.skipIf.push_back(value);
    } else if (key == "scourixhandler") {
      entry.cleanupHandlers = patternList(value);
      ok = !entry.cleanupHandlers.empty();
    }
    if (!ok) return false;
  }
  entry.group = !scourixGroup.empty() ? scourixGroup
                : !sectionGroup.empty() ? sectionGroup
                                        : langSecRef;
  if (entry.label.empty()) entry.label = entry.name;
  const auto byNumber = [](const auto& a, const auto& b) { return a.number < b.number; };
  std::sort(entry.fileKeys.begin(), entry.fileKeys.end(), byNumber);
  std::sort(entry.excludeKeys.begin(), entry.excludeKeys.end(), byNumber);
  return !entry.name.empty() && !entry.group.empty();
}

}  // namespace

bool osInRange(std::string_view detectOs, int major, int minor) {
  const std::optional<OsRange> range = parseOsRange(detectOs);
  const Version version(major, minor);
  return range && (!range->low || version >= *range->low) &&
         (!range->high || version <= *range->high);
}

CatalogFile readCatalog(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  CatalogFile file;
  std::set<std::u32string> names;
  std::optional<Section> section;
  const auto finish = [&] {
    if (!section) return;
    Entry entry;
    int regKeys = 0;
    const bool repeated = !names.insert(foldName(section->name)).second;
    if (repeated || !buildEntry(*section, entry, regKeys)) {
      file.broken.push_back(section->name);
    } else if (!entry.fileKeys.empty()) {
      file.entries.push_back(std::move(entry));
    } else if (regKeys > 0) {
      ++file.registryOnly;
    } else {
      file.broken.push_back(section->name);
    }
    section.reset();
  };
  // Line by line in place: a list of the lines first would take 16 bytes per line, a
  // gigabyte for a file of blank lines at the size limit.
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = trim(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      finish();
      section.emplace();
      const bool closed = line.back() == ']' && line.size() > 2;
      section->name = std::string(closed ? trim(line.substr(1, line.size() - 2)) : line);
      section->malformed = !closed || section->name.empty();
      continue;
    }
    if (!section) continue;  // a file's header before its first entry
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || trim(line.substr(0, equals)).empty()) {
      section->malformed = true;
      continue;
    }
    section->keys.emplace_back(lowerAscii(trim(line.substr(0, equals))),
                               std::string(trim(line.substr(equals + 1))));
  }
  finish();
  return file;
}

}  // namespace scourix::catalog
