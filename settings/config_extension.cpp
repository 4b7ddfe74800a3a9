#include "settings/config_extension.h"

#include <algorithm>

#include "engine/choices.h"
#include "platform/platform.h"
#include "settings/archive.h"
#include "settings/config_file.h"

namespace scourix {

namespace {

constexpr std::int32_t kFieldBytes = 4;

std::uint64_t exclusionListBytes(const Exclusions& exclusions) {
  std::uint64_t bytes = kFieldBytes;
  for (const Exclusion& entry : exclusions.entries()) {
    bytes += kFieldBytes + Archive::storedStringBytes(entry.text.size());
  }
  return bytes;
}

// The list ends where the block ends, which is where `blockEnd` bytes of the data are left.
void loadExclusions(Choices& choices, Archive& archive, std::uint64_t blockEnd, ConfigLoadProgress& progress) {
  if (archive.remaining() < blockEnd + kFieldBytes) return;
  progress.exclusionCount = archive.readInt32();
  progress.exclusionCountRead = true;
  for (std::int32_t i = 0; i < progress.exclusionCount; ++i) {
    Exclusion entry;
    const std::int32_t kind = archive.readInt32();
    entry.text = archive.readString();
    if (archive.remaining() < blockEnd) throw ArchiveDamaged("exclusion list past the end of its block");
    entry.kind = static_cast<Exclusion::Kind>(kind);
    // A kind of a later build is passed over.
    if (entry.kind == Exclusion::Kind::Folder || entry.kind == Exclusion::Kind::Name) {
      choices.exclusions.add(std::move(entry));
    }
    ++progress.exclusions;
  }
}

}  // namespace

Flag& extensionFlag(Choices& choices, const ExtensionField& field) {
  return field.traceFlag != nullptr ? choices.traceFlags.*field.traceFlag
                                    : choices.options.*field.option;
}

void storeExtension(Choices& choices, Archive& archive) {
  archive.writeInt32(kExtensionTag);
  archive.writeInt32(kExtensionVersion);
  const std::uint64_t length = kExtensionFieldsInFileOrder.size() * kFieldBytes + exclusionListBytes(choices.exclusions);
  if (length > 0x7FFFFFFF) throw ArchiveError("exclusion list too long to store");
  archive.writeInt32(static_cast<std::int32_t>(length));
  for (const ExtensionField& field : kExtensionFieldsInFileOrder) {
    archive.writeInt32(extensionFlag(choices, field));
  }
  const std::vector<Exclusion>& entries = choices.exclusions.entries();
  archive.writeInt32(static_cast<std::int32_t>(entries.size()));
  for (const Exclusion& entry : entries) {
    archive.writeInt32(static_cast<std::int32_t>(entry.kind));
    archive.writeString(entry.text);
  }
}

void loadExtension(Choices& choices, Archive& archive, ConfigLoadProgress& progress) {
  if (archive.remaining() < sizeof(std::int32_t) || archive.readInt32() != kExtensionTag) return;
  const std::int32_t version = archive.readInt32();
  const std::int32_t length = archive.readInt32();
  if (length < 0 || static_cast<std::uint64_t>(length) > archive.remaining()) {
    throw ArchiveDamaged("extension block of " + std::to_string(length) + " bytes, but only " +
                         std::to_string(archive.remaining()) + " left");
  }
  // Nothing follows the block: what this build does not know is simply not read.
  if (version != kExtensionVersion) return;
  const std::uint64_t blockEnd = archive.remaining() - static_cast<std::uint64_t>(length);
  const std::size_t known =
      std::min(static_cast<std::size_t>(length / kFieldBytes), kExtensionFieldsInFileOrder.size());
  for (std::size_t i = 0; i < known; ++i) {
    extensionFlag(choices, kExtensionFieldsInFileOrder[i]) = archive.readInt32();
    ++progress.extensionFields;
  }
  if (known == kExtensionFieldsInFileOrder.size()) loadExclusions(choices, archive, blockEnd, progress);
}

}  // namespace scourix
