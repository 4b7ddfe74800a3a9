#include "settings/config_extension.h"

#include <algorithm>
#include <map>
#include <string>

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

std::uint64_t catalogTicksBytes(const std::map<std::string, Flag>& ticks) {
  std::uint64_t bytes = kFieldBytes;
  for (const auto& tick : ticks) bytes += Archive::storedStringBytes(tick.first.size()) + kFieldBytes;
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

// Read whole before any is taken: a list running past its block changes no tick.
void loadCatalogTicks(Choices& choices, Archive& archive, std::uint64_t blockEnd, ConfigLoadProgress& progress) {
  if (archive.remaining() < blockEnd + kFieldBytes) return;
  const std::int32_t count = archive.readInt32();
  std::map<std::string, std::int32_t> ticks;
  for (std::int32_t i = 0; i < count; ++i) {
    std::string name = archive.readString();
    const std::int32_t tick = archive.readInt32();
    if (archive.remaining() < blockEnd) throw ArchiveDamaged("catalog ticks past the end of their block");
    ticks[std::move(name)] = tick;
  }
  for (const auto& [name, tick] : ticks) {
    choices.catalogTicks[name] = tick;
    ++progress.catalogTicks;
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
  const std::uint64_t length = kExtensionFieldsInFileOrder.size() * kFieldBytes +
                               exclusionListBytes(choices.exclusions) + catalogTicksBytes(choices.catalogTicks);
  if (length > 0x7FFFFFFF) throw ArchiveError("extension block too long to store");
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
  archive.writeInt32(static_cast<std::int32_t>(choices.catalogTicks.size()));
  for (const auto& [name, tick] : choices.catalogTicks) {
    archive.writeString(name);
    archive.writeInt32(tick);
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
  if (known < kExtensionFieldsInFileOrder.size()) return;
  loadExclusions(choices, archive, blockEnd, progress);
  if (progress.exclusionCountRead) loadCatalogTicks(choices, archive, blockEnd, progress);
}

}  // namespace scourix
