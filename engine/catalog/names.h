#pragma once
// Names and paths of the catalog, in UTF-8. Windows compares file names without regard
// to letter case, so these comparisons fold the case of ASCII, Latin-1, Latin
// Extended-A, Greek, Cyrillic and full-width Latin letters (what a Chinese user's names
// hold in practice). A byte that is no valid UTF-8 stands for itself, so two different
// names never compare equal by a decoding accident.
#include <string>
#include <string_view>
#include <vector>

namespace scourix::catalog {

// The case-folded characters of a UTF-8 name.
std::u32string foldName(std::string_view name);
// The same into `folded`, whose storage a walk reuses from file to file.
void foldNameInto(std::string_view name, std::u32string& folded);
bool sameName(std::string_view a, std::string_view b);
bool isValidUtf8(std::string_view text);

// The names of a path: '\\' and '/' both separate; empty names are dropped, so
// "C:\\Users\\" gives "C:" and "Users".
std::vector<std::string_view> pathNames(std::string_view path);
// The last of those names; empty when there is none.
std::string_view lastPathName(std::string_view path);
// The separator a path already uses ('\\' unless it has only '/').
char separatorOf(std::string_view path);
// `folder` and `name` joined by the folder's own separator.
std::string joinPath(std::string_view folder, std::string_view name);
void joinPathInto(std::string_view folder, std::string_view name, std::string& path);

// The case-folded names of a path, for comparisons of whole paths.
using FoldedPath = std::vector<std::u32string>;
FoldedPath foldPath(std::string_view path);
// `inner` is `outer` or lies below it.
bool isWithin(const FoldedPath& inner, const FoldedPath& outer);

// A pattern matched against whole names: `*` any run of characters, `?` one character,
// case folded. As in Windows, a pattern ending in ".*" also matches the name without
// that ending, so "*.*" matches every name, with or without a dot.
class NamePattern {
 public:
  NamePattern() = default;
  explicit NamePattern(std::string_view text);

  bool matches(std::string_view name) const { return matchesFolded(foldName(name)); }
  bool matchesFolded(const std::u32string& name) const;
  bool hasWildcard() const { return wildcard_; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  std::u32string folded_;
  bool wildcard_ = false;
  bool dotStar_ = false;
};

}  // namespace scourix::catalog
