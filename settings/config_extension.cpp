#include "settings/config_extension.h"

#include <algorithm>

#include "engine/choices.h"
#include "platform/platform.h"
#include "settings/archive.h"
#include "settings/config_file.h"

namespace scourix {

namespace {

constexpr std::int32_t kFieldBytes = 4;

}  // namespace

Flag& extensionFlag(Choices& choices, const ExtensionField& field) {
  return field.traceFlag != nullptr ? choices.traceFlags.*field.traceFlag
                                    : choices.options.*field.option;
}

void storeExtension(Choices& choices, Archive& archive) {
  archive.writeInt32(kExtensionTag);
  archive.writeInt32(kExtensionVersion);
  archive.writeInt32(static_cast<std::int32_t>(kExtensionFieldsInFileOrder.size()) * kFieldBytes);
  for (const ExtensionField& field : kExtensionFieldsInFileOrder) {
    archive.writeInt32(extensionFlag(choices, field));
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
  const std::size_t known =
      std::min(static_cast<std::size_t>(length / kFieldBytes), kExtensionFieldsInFileOrder.size());
  for (std::size_t i = 0; i < known; ++i) {
    extensionFlag(choices, kExtensionFieldsInFileOrder[i]) = archive.readInt32();
    ++progress.extensionFields;
  }
}

}  // namespace scourix
