#include "engine/exclusions.h"

#include <algorithm>

namespace scourix {

namespace {

std::size_t NameStart(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

}  // namespace

bool Exclusions::namesSomething(const Exclusion& entry) {
  return entry.kind == Exclusion::Kind::Folder ? !catalog::pathNames(entry.text).empty() : !entry.text.empty();
}

std::u32string Exclusions::keyOf(const Folded& entry) {
  if (entry.folder.empty()) return U'n' + catalog::foldName(entry.pattern.text());
  std::u32string key(1, U'f');
  for (const std::u32string& name : entry.folder) key += name + U'\\';  // no name holds a separator
  return key;
}

bool Exclusions::add(Exclusion entry) {
  if (!namesSomething(entry)) return false;
  const bool folder = entry.kind == Exclusion::Kind::Folder;
  Folded folded{folder ? catalog::foldPath(entry.text) : catalog::FoldedPath{},
                folder ? catalog::NamePattern() : catalog::NamePattern(entry.text)};
  if (!keys_.insert(keyOf(folded)).second) return false;
  folded_.push_back(std::move(folded));
  entries_.push_back(std::move(entry));
  namePatterns_ += folder ? 0 : 1;
  return true;
}

void Exclusions::removeAt(std::size_t index) {
  if (index >= entries_.size()) return;
  keys_.erase(keyOf(folded_[index]));
  namePatterns_ -= folded_[index].folder.empty() ? 1 : 0;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  folded_.erase(folded_.begin() + static_cast<std::ptrdiff_t>(index));
}

void Exclusions::clear() {
  entries_.clear();
  folded_.clear();
  keys_.clear();
  namePatterns_ = 0;
}

bool Exclusions::excludesFile(std::string_view path) const {
  if (entries_.empty()) return false;
  return excludesFolder(path.substr(0, NameStart(path))) || excludesName(path.substr(NameStart(path)));
}

bool Exclusions::excludesFolder(std::string_view path) const {
  if (entries_.empty()) return false;
  const catalog::FoldedPath folded = catalog::foldPath(path);
  return std::any_of(folded_.begin(), folded_.end(),
                     [&](const Folded& entry) { return !entry.folder.empty() && catalog::isWithin(folded, entry.folder); });
}

bool Exclusions::excludesName(std::string_view name) const {
  if (namePatterns_ == 0) return false;
  const std::u32string folded = catalog::foldName(name);
  return std::any_of(folded_.begin(), folded_.end(),
                     [&](const Folded& entry) { return entry.folder.empty() && entry.pattern.matchesFolded(folded); });
}

Exclusion folderExclusionOf(std::string_view filePath) {
  std::size_t end = NameStart(filePath);
  // A file in a drive's root: the folder keeps its separator ("D:\\").
  if (end > 1 && filePath[end - 2] != ':') --end;
  return {Exclusion::Kind::Folder, std::string(filePath.substr(0, end))};
}

Exclusion typeExclusionOf(std::string_view filePath) {
  const std::string_view name = filePath.substr(NameStart(filePath));
  const std::size_t dot = name.rfind('.');
  return {Exclusion::Kind::Name, dot == std::string_view::npos ? std::string(name) : "*" + std::string(name.substr(dot))};
}

}  // namespace scourix
