#include "platform/exact_path.h"

#include <algorithm>

namespace scourix {
namespace {

PathUnit lowerAscii(PathUnit c) {
  return c >= PathUnit('A') && c <= PathUnit('Z') ? static_cast<PathUnit>(c - PathUnit('A') + PathUnit('a')) : c;
}

std::size_t withoutTrailingSeparators(const NativeText& text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ExactPath::kSeparator) --end;
  return end;
}

}  // namespace

void ExactPath::appendName(const std::string& name, const NativeText& exactName) {
  if (!exactName.empty()) {
    native_ += exactName;
    return;
  }
  // Plain ASCII is the same in every form: widened unit by unit.
  const std::size_t at = native_.size();
  native_.resize(at + name.size());
  for (std::size_t i = 0; i < name.size(); ++i) native_[at + i] = static_cast<PathUnit>(static_cast<unsigned char>(name[i]));
}

std::size_t ExactPath::nameStart() const {
  const std::size_t separator = native_.rfind(kSeparator);
  return separator == npos ? 0 : separator + 1;
}

std::size_t ExactPath::sharedLength(const ExactPath& other) const {
  const std::size_t limit = std::min(native_.size(), other.native_.size());
  std::size_t shared = 0;
  while (shared < limit && native_[shared] == other.native_[shared]) ++shared;
  return shared;
}

bool ExactPath::sameFolderAs(const ExactPath& other) const {
  const std::size_t length = withoutTrailingSeparators(native_);
  if (length != withoutTrailingSeparators(other.native_)) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (lowerAscii(native_[i]) != lowerAscii(other.native_[i])) return false;
  }
  return true;
}

}  // namespace scourix
