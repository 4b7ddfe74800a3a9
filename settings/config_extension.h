#pragma once
// The extension block of "data.dsfw": the settings the original layout has no place for,
// after its last rule record, where a reader of that layout stops. Layout, all integers
// 32-bit little-endian: the tag kExtensionTag, the version, the byte length of what
// follows, then the fields, one integer each, in kExtensionFieldsInFileOrder, then the
// exclusion list: its count and per entry its kind (Exclusion::Kind) and its UTF-8 text
// as a length-prefixed string, then the catalog items' ticks: their count and per item
// its name (UTF-8, length-prefixed) and its tick. A later build appends after that and
// raises the length; a new version is a new layout.
#include <array>
#include <cstdint>

#include "engine/scan_settings.h"

namespace scourix {

class Archive;
struct Choices;
struct ConfigLoadProgress;

constexpr std::int32_t kExtensionTag = 0x42455853;  // "SXEB" in the file
constexpr std::int32_t kExtensionVersion = 1;

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
// original layout's readers do. A version this build does not know is passed over
// whole, anything after the catalog ticks is passed over; an earlier build's block
// without the list or the ticks leaves them empty. A block longer than the data left, or
// cut off in its head, is damage (ArchiveError), and no field of it is taken; so is an
// exclusion list running past the block's end, of which the entries read whole are kept,
// or ticks running past it, of which none is taken.
void loadExtension(Choices& choices, Archive& archive, ConfigLoadProgress& progress);

}  // namespace scourix
