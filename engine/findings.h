#pragma once
// The found-file list: the findings in the order found, each exact path once.
//
// Who may change it when: the thread that starts a scan clears it; from then until the
// walk is over, the scan's worker alone (it adds to it; the protection settles ticks);
// otherwise the windows' thread (the user's ticks, deletion). workerOwns() tells which side it is.
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/found_file.h"
#include "engine/found_file_store.h"
#include "engine/path_index.h"

namespace scourix {

class Findings {
 public:
  int count() const { return static_cast<int>(files_.size()); }
  // Throws std::out_of_range for a position outside the list.
  FoundFile& at(int index) { return files_.at(checked(index)); }
  const FoundFile& at(int index) const { return files_.at(checked(index)); }
  FoundFileStore::Iterator begin() const { return files_.begin(); }
  FoundFileStore::Iterator end() const { return files_.end(); }

  // The one way in. `file` found in `category`, ticked; false (and nothing changes) when
  // its exact path is listed already.
  bool add(const WalkedFile& file, const std::string& category);
  // A finding made before (another scan's), with its tick and lock.
  bool add(FoundFile finding);
  void clear();
  // Keeps, in order, the findings whose flag in `stays` is set.
  void keep(const std::vector<char>& stays);
  // Every finding from `first` on starts unticked, with the lock: a walk cut short could
  // not tell whether deleting it breaks a program.
  void lockFrom(int first);

  // Changes whenever findings leave the list (a new scan empties it, a deletion or an
  // exclusion thins it): a question asked about the list holds only while it stays.
  std::uint64_t generation() const { return generation_.load(); }

  bool workerOwns() const { return workerOwns_.load(); }
  void setWorkerOwns(bool owns) { workerOwns_ = owns; }

 private:
  std::size_t checked(int index) const;
  bool contains(std::string_view key, std::uint32_t hash) const;
  void append(FoundFile finding, std::uint32_t hash);
  std::shared_ptr<FoundFolder> folderOf(const WalkedFile& file);
  std::shared_ptr<const std::string> categoryOf(const std::string& category);

  FoundFileStore files_;
  PathIndex index_;  // the exact paths of files_, for the duplicate check
  std::shared_ptr<FoundFolder> folder_;  // the folder of the last finding
  // Every folder record, by its exact path's key (the record's own).
  std::unordered_map<std::string_view, std::shared_ptr<FoundFolder>> folders_;
  std::map<std::string, std::shared_ptr<const std::string>> categories_;
  std::shared_ptr<const std::string> category_;  // the last finding's
  std::atomic<bool> workerOwns_{false};
  std::atomic<std::uint64_t> generation_{0};
};

}  // namespace scourix
