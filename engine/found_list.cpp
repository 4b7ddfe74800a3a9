#include "engine/clean_engine.h"

namespace scourix {

void CleanEngine::clearFoundFiles() {
  foundPaths_.clear();
  foundFiles_.clear();
}

int CleanEngine::hasFoundPath(const std::string& path) const {
  return hasFoundPath(path, PathIndex::hashOf(path)) ? 1 : 0;
}

bool CleanEngine::hasFoundPath(std::string_view path, std::uint32_t hash) const {
  return foundPaths_.contains(path, hash, [this](std::size_t position) -> std::string_view {
    return foundKeyOf(*foundFiles_[position]);
  });
}

void CleanEngine::keepFoundFiles(const std::vector<char>& stays) {
  std::vector<std::unique_ptr<FoundFile>> all = std::move(foundFiles_);
  clearFoundFiles();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (i < stays.size() && stays[i] == 0) continue;
    const std::uint32_t hash = PathIndex::hashOf(foundKeyOf(*all[i]));
    appendFinding(std::move(all[i]), hash);
  }
}

void CleanEngine::appendFinding(std::unique_ptr<FoundFile> record, std::uint32_t hash) {
  foundFiles_.push_back(std::move(record));
  foundPaths_.insert(hash, foundFiles_.size() - 1);
}

void CleanEngine::addFoundFile(const FoundFile& file) {
  const std::uint32_t hash = PathIndex::hashOf(foundKeyOf(file));
  if (hasFoundPath(foundKeyOf(file), hash)) return;
  appendFinding(std::make_unique<FoundFile>(file), hash);
}

void CleanEngine::offerFinding(std::int64_t access, std::int64_t write, std::uint64_t size,
                               const std::string& name, const std::string& path,
                               const std::string& category) {
  // The walk's exact path is kept only where it says more than `path`.
  const bool exact = offeredExact_ != nullptr && *offeredExact_ != path;
  const std::string& key = exact ? *offeredExact_ : path;
  // Checked before anything is copied: most offers of an already listed file end here.
  const std::uint32_t hash = PathIndex::hashOf(key);
  if (hasFoundPath(key, hash)) return;
  auto record = std::make_unique<FoundFile>();
  record->lastAccess = access;
  record->lastWrite = write;
  record->name = name;
  record->path = path;
  if (exact) record->exactPath = key;
  if (offeredExact_ != nullptr) record->rootLength = walkRootLength_;
  record->category = category;
  record->treeItem = 0;
  record->toDelete = 1;
  record->size = size;
  appendFinding(std::move(record), hash);
}

std::string CleanEngine::exactPathOf(const FoundFile& file) const {
  return file.exactPath.empty() ? platform_.exactPathOf(file.path) : file.exactPath;
}

void CleanEngine::clearAll() {
  choices_.drives.clear();
  clearFoundFiles();
  choices_.rules.clear();
}

}  // namespace scourix
