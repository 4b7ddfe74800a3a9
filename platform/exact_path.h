#pragma once
// A path exactly as the file system spells it. Only the platform layer builds one or
// looks inside: from a listing's own names, or from a root given as text. On Windows it
// is the wide path, absolute and always in the "\\?\" (or "\\?\UNC\") form that no
// normalisation touches, so that "report " and "report" stay two files; elsewhere it is
// the path's bytes. The core keeps, compares and extends it without reading it.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace scourix {

#ifdef _WIN32
using PathUnit = wchar_t;
#else
using PathUnit = char;
#endif
using NativeText = std::basic_string<PathUnit>;

class ExactPath {
 public:
  static constexpr PathUnit kSeparator = static_cast<PathUnit>(
#ifdef _WIN32
      '\\'
#else
      '/'
#endif
  );
  static constexpr std::size_t npos = NativeText::npos;

  ExactPath() = default;
  // For the platform layer: the path in its own form.
  explicit ExactPath(NativeText native) : native_(std::move(native)) {}
  const NativeText& native() const { return native_; }

  bool empty() const { return native_.empty(); }
  // In units of the platform's form.
  std::size_t length() const { return native_.size(); }
  // The path's bytes: for hashing and comparing, never for reading.
  std::string_view key() const {
    return {reinterpret_cast<const char*>(native_.data()), native_.size() * sizeof(PathUnit)};
  }

  // A name from a listing: `exactName` when the listing gave one, else the plain ASCII `name`.
  void appendName(const std::string& name, const NativeText& exactName);
  void appendSeparator() { native_ += kSeparator; }
  bool endsWithSeparator() const { return !native_.empty() && native_.back() == kSeparator; }
  void truncate(std::size_t length) { native_.resize(length); }

  // Where the last name begins (after the last separator).
  std::size_t nameStart() const;
  bool isSeparatorAt(std::size_t position) const { return native_[position] == kSeparator; }
  // The first separator at or after `from`, or npos.
  std::size_t separatorFrom(std::size_t from) const { return native_.find(kSeparator, from); }
  // The first `length` units: a folder above the path when they end before a separator.
  ExactPath prefix(std::size_t length) const { return ExactPath(native_.substr(0, length)); }
  // Whether the unit at `position` is the ASCII character `c`.
  bool hasAsciiAt(std::size_t position, char c) const {
    return position < native_.size() && native_[position] == static_cast<PathUnit>(c);
  }
  // The first `length` units with the one at `position` (within them) made the ASCII `c`.
  ExactPath prefixWithAsciiAt(std::size_t length, std::size_t position, char c) const {
    NativeText text = native_.substr(0, length);
    text[position] = static_cast<PathUnit>(c);
    return ExactPath(std::move(text));
  }
  // How many units from the start this path and `other` have in common.
  std::size_t sharedLength(const ExactPath& other) const;
  // The same folder as `other` when letters A-Z match without regard to case and
  // trailing separators are ignored (how a system records one folder in two spellings).
  bool sameFolderAs(const ExactPath& other) const;

 private:
  NativeText native_;
};

}  // namespace scourix
