#pragma once
// What the user keeps out of every scan: folders, with everything below them, and name
// patterns matched against whole file names ("*.bak", "报告*.docx"). Entries are UTF-8, so
// that any name can be excluded; they compare as the catalog's names do (engine/catalog/names.h).
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/catalog/names.h"

namespace scourix {

struct Exclusion {
  enum class Kind : std::int32_t { Folder = 0, Name = 1 };
  Kind kind = Kind::Folder;
  std::string text;

  bool operator==(const Exclusion& other) const { return kind == other.kind && text == other.text; }
};

class Exclusions {
 public:
  const std::vector<Exclusion>& entries() const { return entries_; }
  bool empty() const { return entries_.empty(); }
  // False for an empty entry or a folder of no names (a root alone would take in every path).
  static bool namesSomething(const Exclusion& entry);
  // False (nothing added) for an entry that names nothing or is there already, in any case.
  bool add(Exclusion entry);
  void removeAt(std::size_t index);
  void clear();

  // A file, by its path: it lies in an excluded folder or its name matches a pattern.
  bool excludesFile(std::string_view path) const;
  // A folder, by its path: it or a folder above it is excluded.
  bool excludesFolder(std::string_view path) const;
  // A file's name matches a pattern (its folder aside).
  bool excludesName(std::string_view name) const;
  bool hasNamePatterns() const { return namePatterns_ > 0; }

 private:
  struct Folded {
    catalog::FoldedPath folder;  // empty for a name pattern
    catalog::NamePattern pattern;
  };
  // What two entries that are the same have in common: a damaged or hostile settings file
  // can hold many thousands, which a comparison with each entry before would take minutes
  // to load.
  static std::u32string keyOf(const Folded& entry);

  std::vector<Exclusion> entries_;
  std::vector<Folded> folded_;
  std::unordered_set<std::u32string> keys_;
  int namePatterns_ = 0;
};

// The entries a result line's menu adds for a file's path: its folder, and its type
// ("*.ext" of its name, or the name itself when it has no dot).
Exclusion folderExclusionOf(std::string_view filePath);
Exclusion typeExclusionOf(std::string_view filePath);

}  // namespace scourix
