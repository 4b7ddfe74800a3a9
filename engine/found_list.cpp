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
    return foundFiles_[position]->path;
  });
}

void CleanEngine::appendFinding(std::unique_ptr<FoundFile> record, std::uint32_t hash) {
  foundFiles_.push_back(std::move(record));
  foundPaths_.insert(hash, foundFiles_.size() - 1);
}

void CleanEngine::addFoundFile(const FoundFile& file) {
  const std::uint32_t hash = PathIndex::hashOf(file.path);
  if (hasFoundPath(file.path, hash)) return;
  appendFinding(std::make_unique<FoundFile>(file), hash);
}

void CleanEngine::offerFinding(std::int64_t access, std::int64_t write, const std::string& name,
                               const std::string& path, const std::string& category,
                               std::uint64_t size) {
  // Checked before anything is copied: most offers of an already listed file end here.
  const std::uint32_t hash = PathIndex::hashOf(path);
  if (hasFoundPath(path, hash)) return;
  auto record = std::make_unique<FoundFile>();
  record->lastAccess = access;
  record->lastWrite = write;
  record->name = name;
  record->path = path;
  record->category = category;
  record->treeItem = 0;
  record->toDelete = 1;
  record->size = size;
  appendFinding(std::move(record), hash);
}

std::string CleanEngine::pathForTreeItem(TreeItemHandle item) const {
  for (const auto& file : foundFiles_) {
    if (file->treeItem == item) return file->path;
  }
  return "no find";
}

void CleanEngine::clearAll() {
  drives.clear();
  clearFoundFiles();
  rules.clear();
}

}  // namespace scourix
