#include "engine/found_file.h"

#include <utility>

namespace scourix {
namespace {

const std::string& noCategory() {
  static const std::string empty;
  return empty;
}

}  // namespace

FoundFile::FoundFile(const WalkedFile& file, const std::string& category)
    : FoundFile(file, folderRecordOf(file), std::make_shared<const std::string>(category)) {}

FoundFile::FoundFile(const WalkedFile& file, std::shared_ptr<FoundFolder> folder,
                     std::shared_ptr<const std::string> category)
    : category_(std::move(category)),
      rootLength(static_cast<std::uint32_t>(file.rootLength)),
      size(file.size),
      lastAccess(file.lastAccess),
      lastWrite(file.lastWrite),
      creation(file.creation),
      fileId(file.fileId),
      attributes(file.attributes) {
  FoundFolder& into = *folder;
  const std::string_view name = std::string_view(file.path).substr(into.path.size());
  nameAt_ = static_cast<std::uint32_t>(into.names.size());
  nameLength_ = static_cast<std::uint16_t>(name.size());
  into.names.append(name);
  const NativeText& exact = file.exact.native();
  exactNameAt_ = static_cast<std::uint32_t>(into.exactNames.size());
  exactNameLength_ = static_cast<std::uint16_t>(exact.size() - into.exact.length());
  into.exactNames.append(exact, into.exact.length(), std::string::npos);
  folder_ = std::move(folder);
}

std::shared_ptr<FoundFolder> FoundFile::folderRecordOf(const WalkedFile& file) {
  auto folder = std::make_shared<FoundFolder>();
  const std::size_t pathLength = folderPathLength(file);
  const bool whole = pathLength == std::string::npos;
  folder->path = whole ? file.path : file.path.substr(0, pathLength);
  folder->exact = whole ? file.exact : file.exact.prefix(file.exact.nameStart());
  return folder;
}

std::size_t FoundFile::folderPathLength(const WalkedFile& file) {
  // The walk joined the name to its folder's path; a '\\' may be the second byte of a
  // character in the code page, so the path is never split at its last one.
  constexpr std::size_t kLongestName = 0xFFFF;  // what the record's lengths hold
  if (file.path.size() < file.name.size() || file.name.size() > kLongestName ||
      file.exact.length() - file.exact.nameStart() > kLongestName) {
    return std::string::npos;
  }
  const std::size_t length = file.path.size() - file.name.size();
  return file.path.compare(length, file.name.size(), file.name) == 0 ? length : std::string::npos;
}

std::string FoundFile::path() const {
  std::string out;
  appendPath(out);
  return out;
}

void FoundFile::appendPath(std::string& out) const {
  if (!folder_) return;
  out += folder_->path;
  out.append(folder_->names, nameAt_, nameLength_);
}

ExactPath FoundFile::exact() const {
  if (!folder_) return ExactPath();
  NativeText text;
  text.reserve(folder_->exact.length() + exactNameLength_);
  text.append(folder_->exact.native());
  text.append(folder_->exactNames, exactNameAt_, exactNameLength_);
  return ExactPath(std::move(text));
}

std::string_view FoundFile::name() const {
  if (!folder_) return {};
  return std::string_view(folder_->names).substr(nameAt_, nameLength_);
}

const std::string& FoundFile::category() const { return category_ ? *category_ : noCategory(); }

std::string_view FoundFile::exactNameKey() const {
  const NativeText& names = folder_->exactNames;
  return {reinterpret_cast<const char*>(names.data() + exactNameAt_), exactNameLength_ * sizeof(PathUnit)};
}

bool FoundFile::hasKey(std::string_view key) const {
  if (!folder_) return key.empty();
  const std::string_view folder = folder_->exact.key();
  const std::string_view name = exactNameKey();
  return key.size() == folder.size() + name.size() && key.substr(0, folder.size()) == folder &&
         key.substr(folder.size()) == name;
}

}  // namespace scourix
