#include "settings/config_extension.h"

#include <limits>
#include <map>
#include <string>
#include <vector>

#include "engine/choices.h"
#include "platform/platform.h"
#include "settings/archive.h"
#include "settings/config_file.h"

namespace scourix {

namespace {

constexpr std::int32_t kFieldBytes = 4;

// What a part stored in memory takes: its length, then its bytes.
void writePart(Archive& archive, const std::string& bytes) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw ArchiveError("extension block too long to store");
  }
  archive.writeInt32(static_cast<std::int32_t>(bytes.size()));
  archive.writeRaw(bytes);
}

std::int32_t readCount(Archive& archive, const char* what) {
  const std::int32_t count = archive.readInt32();
  if (count < 0) throw ArchiveDamaged(std::string("negative count of ") + what);
  return count;
}

std::string catalogTicksSection(const Choices& choices, Platform& platform) {
  std::string bytes;
  Archive section(bytes, platform);
  section.writeInt32(static_cast<std::int32_t>(choices.catalogTicks.size()));
  for (const auto& [name, tick] : choices.catalogTicks) {
    section.writeString(name);
    section.writeInt32(tick);
  }
  section.close();
  return bytes;
}

// A later build may append to the section: what follows the names is not read.
void readCatalogTicks(const std::string& bytes, Platform& platform,
                      std::map<std::string, std::int32_t>& ticks) {
  Archive section(std::string_view(bytes), platform);
  const std::int32_t count = readCount(section, "catalog ticks");
  for (std::int32_t i = 0; i < count; ++i) {
    std::string name = section.readString();
    ticks[std::move(name)] = section.readInt32();
  }
}

}  // namespace

Flag& extensionFlag(Choices& choices, const ExtensionField& field) {
  return field.traceFlag != nullptr ? choices.traceFlags.*field.traceFlag
                                    : choices.options.*field.option;
}

void storeExtension(Choices& choices, Archive& archive) {
  std::string block;
  Archive content(block, archive.platform());
  content.writeInt32(static_cast<std::int32_t>(kExtensionFieldsInFileOrder.size()));
  for (const ExtensionField& field : kExtensionFieldsInFileOrder) {
    content.writeInt32(extensionFlag(choices, field));
  }
  if (!choices.catalogTicks.empty()) {
    content.writeInt32(kCatalogTicksSection);
    writePart(content, catalogTicksSection(choices, archive.platform()));
  }
  content.close();
  archive.writeInt32(kExtensionTag);
  archive.writeInt32(kExtensionVersion);
  writePart(archive, block);
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
  if (version != 1 && version != 2) return;
  const std::string bytes = archive.readRaw(static_cast<std::uint32_t>(length));
  Archive block(std::string_view(bytes), archive.platform());
  // Read whole before anything is taken: a damaged block changes no choice.
  const std::int32_t count = version == 1 ? length / kFieldBytes : readCount(block, "fields");
  std::vector<std::int32_t> fields;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t value = block.readInt32();
    if (fields.size() < kExtensionFieldsInFileOrder.size()) fields.push_back(value);
  }
  std::map<std::string, std::int32_t> ticks;
  while (version == 2 && block.remaining() > 0) {
    const std::int32_t tag = block.readInt32();
    const std::string section = block.readRaw(static_cast<std::uint32_t>(readCount(block, "section bytes")));
    if (tag == kCatalogTicksSection) readCatalogTicks(section, archive.platform(), ticks);
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    extensionFlag(choices, kExtensionFieldsInFileOrder[i]) = fields[i];
    ++progress.extensionFields;
  }
  for (const auto& [name, tick] : ticks) {
    choices.catalogTicks[name] = tick;
    ++progress.catalogTicks;
  }
}

}  // namespace scourix
