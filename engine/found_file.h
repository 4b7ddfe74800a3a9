#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/choices.h"

namespace scourix {

// One found file. `path` is the key of the found-file list.
struct FoundFile {
  std::int64_t lastAccess = 0;  // seconds since 1970-01-01 UTC
  std::int64_t lastWrite = 0;
  std::string name;
  std::string path;
  std::string category;
  TreeItemHandle treeItem = 0;
  std::int32_t toDelete = 1;
  std::uint64_t size = 0;  // bytes, from the walk's listing
  // The path as the file system spells it, in UTF-8; empty when `path` says it exactly.
  std::string exactPath;
  // Started unticked because it lies where deleting could break a program.
  std::int32_t isProtected = 0;
  // Bytes at the start of the exact path (exactPath, or else path) that name the folder
  // its walk started from: the folders after them were no links when listed. 0: not
  // found by a walk.
  std::size_t rootLength = 0;
};

// What tells findings apart: the exact path, as names the code page cannot write may
// differ only in characters that all read '?' in `path`.
inline const std::string& foundKeyOf(const FoundFile& file) {
  return file.exactPath.empty() ? file.path : file.exactPath;
}

}  // namespace scourix
