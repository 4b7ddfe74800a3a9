#pragma once
// The extension block of "data.dsfw": the settings the original layout has no place for,
// after its last rule record, where a reader of that layout stops. All integers 32-bit
// little-endian, strings as the archive writes them (UTF-8 bytes here). The block: the tag
// kExtensionTag, the version, the byte length of what follows, then
//   version 1: the fields, one integer each, in kExtensionFieldsInFileOrder;
//   version 2: the number of fields, the fields, then sections up to the block's end,
//              each a tag, its byte length and its content:
//              kCatalogTicksSection: the count, then per catalog item its name and tick.
// A later build appends fields or sections; a reader passes over fields beyond the ones it
// knows and sections it does not know. A version it does not know it passes over whole.
#include <array>
#include <cstdint>

#include "engine/scan_settings.h"

namespace scourix {

class Archive;
struct Choices;
struct ConfigLoadProgress;

constexpr std::int32_t kExtensionTag = 0x42455853;         // "SXEB" in the file
constexpr std::int32_t kCatalogTicksSection = 0x4B434954;  // "TICK" in the file
constexpr std::int32_t kExtensionVersion = 2;

// One field: a trace flag or an option.
struct ExtensionField {
  const char* name;
  Flag TraceFlags::*traceFlag;
  Flag CleanOptions::*option;
};

inline constexpr std::array<ExtensionField, 8> kExtensionFieldsInFileOrder = {{
    {"deleteToRecycleBin", nullptr, &CleanOptions::deleteToRecycleBin},
    {"chromeCache", &TraceFlags::chromeCache, nullptr},
    {"edgeCache", &TraceFlags::edgeCache, nullptr},
    {"firefoxCache", &TraceFlags::firefoxCache, nullptr},
    {"safe360Cache", &TraceFlags::safe360Cache, nullptr},
    {"speed360Cache", &TraceFlags::speed360Cache, nullptr},
    {"qqBrowserCache", &TraceFlags::qqBrowserCache, nullptr},
    {"browser2345Cache", &TraceFlags::browser2345Cache, nullptr},
}};

Flag& extensionFlag(Choices& choices, const ExtensionField& field);

void storeExtension(Choices& choices, Archive& archive);

// Reads the block when one follows; anything else after the rules is ignored, as the
// original layout's readers do. A block longer than the data left, cut off in its head,
// or with a field or section running past its end, is damage (ArchiveError), and
// nothing of it is taken.
void loadExtension(Choices& choices, Archive& archive, ConfigLoadProgress& progress);

}  // namespace scourix
