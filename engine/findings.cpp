#include "engine/findings.h"

#include <algorithm>
#include <utility>

namespace scourix {

bool Findings::add(const WalkedFile& file, const std::string& category) {
  // Checked before anything is copied: most offers of an already listed file end here.
  const std::uint32_t hash = PathIndex::hashOf(file.exact.key());
  if (contains(file.exact, hash)) return false;
  auto finding = std::make_unique<FoundFile>();
  static_cast<WalkedFile&>(*finding) = file;
  finding->category = category;
  append(std::move(finding), hash);
  return true;
}

bool Findings::add(FoundFile finding) {
  const std::uint32_t hash = PathIndex::hashOf(finding.exact.key());
  if (contains(finding.exact, hash)) return false;
  append(std::make_unique<FoundFile>(std::move(finding)), hash);
  return true;
}

bool Findings::contains(const ExactPath& path, std::uint32_t hash) const {
  return index_.contains(path.key(), hash, [this](std::size_t position) { return files_[position]->exact.key(); });
}

void Findings::append(std::unique_ptr<FoundFile> finding, std::uint32_t hash) {
  files_.push_back(std::move(finding));
  index_.insert(hash, files_.size() - 1);
}

void Findings::clear() {
  ++generation_;
  index_.clear();
  files_.clear();
}

void Findings::lockFrom(int first) {
  for (std::size_t i = static_cast<std::size_t>(std::max(first, 0)); i < files_.size(); ++i) {
    files_[i]->toDelete = 0;
    files_[i]->isProtected = 1;
  }
}

void Findings::keep(const std::vector<char>& stays) {
  List kept;
  for (std::size_t i = 0; i < files_.size(); ++i) {
    if (stays[i] != 0) kept.push_back(std::move(files_[i]));
  }
  clear();
  for (auto& finding : kept) {
    const std::uint32_t hash = PathIndex::hashOf(finding->exact.key());
    append(std::move(finding), hash);
  }
}

}  // namespace scourix
