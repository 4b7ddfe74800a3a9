#include "engine/findings.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace scourix {

bool Findings::add(const WalkedFile& file, const std::string& category) {
  // Checked before anything is copied: most offers of an already listed file end here.
  const std::string_view key = file.exact.key();
  const std::uint32_t hash = PathIndex::hashOf(key);
  if (contains(key, hash)) return false;
  append(FoundFile(file, folderOf(file), categoryOf(category)), hash);
  return true;
}

bool Findings::add(FoundFile finding) {
  const ExactPath exact = finding.exact();
  const std::uint32_t hash = PathIndex::hashOf(exact.key());
  if (contains(exact.key(), hash)) return false;
  append(std::move(finding), hash);
  return true;
}

// The files of a folder share its record, however a walk interleaves them with those of
// its subfolders.
std::shared_ptr<FoundFolder> Findings::folderOf(const WalkedFile& file) {
  const std::size_t pathLength = FoundFile::folderPathLength(file);
  if (pathLength == std::string::npos) return FoundFile::folderRecordOf(file);
  const std::size_t exactLength = file.exact.nameStart();
  const std::string_view exact = file.exact.key().substr(0, exactLength * sizeof(PathUnit));
  if (!folder_ || folder_->exact.key() != exact) {
    const auto known = folders_.find(exact);
    if (known != folders_.end()) {
      folder_ = known->second;
    } else {
      folder_ = FoundFile::folderRecordOf(file);
      folders_.emplace(folder_->exact.key(), folder_);
    }
  }
  // The same folder in another spelling of the code page stays apart.
  if (folder_->path.size() != pathLength || file.path.compare(0, pathLength, folder_->path) != 0) {
    return FoundFile::folderRecordOf(file);
  }
  return folder_;
}

std::shared_ptr<const std::string> Findings::categoryOf(const std::string& category) {
  if (!category_ || *category_ != category) {
    std::shared_ptr<const std::string>& stored = categories_[category];
    if (!stored) stored = std::make_shared<const std::string>(category);
    category_ = stored;
  }
  return category_;
}

std::size_t Findings::checked(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= files_.size()) throw std::out_of_range("finding");
  return static_cast<std::size_t>(index);
}

bool Findings::contains(std::string_view key, std::uint32_t hash) const {
  return index_.contains(hash, [&](std::size_t position) { return files_.at(position).hasKey(key); });
}

void Findings::append(FoundFile finding, std::uint32_t hash) {
  files_.push_back(std::move(finding));
  index_.insert(hash, files_.size() - 1);
}

void Findings::clear() {
  ++generation_;
  index_.clear();
  files_.clear();
  folder_.reset();
  folders_.clear();
  category_.reset();
  categories_.clear();
}

void Findings::lockFrom(int first) {
  for (std::size_t i = static_cast<std::size_t>(std::max(first, 0)); i < files_.size(); ++i) {
    files_.at(i).toDelete = 0;
    files_.at(i).isProtected = 1;
  }
}

void Findings::keep(const std::vector<char>& stays) {
  ++generation_;
  files_.keep(stays);
  index_.clear();
  for (std::size_t i = 0; i < files_.size(); ++i) index_.insert(PathIndex::hashOf(files_.at(i).exact().key()), i);
}

}  // namespace scourix
