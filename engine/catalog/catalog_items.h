#pragma once
// The catalog's entries as the user chooses them: the built-in catalog and the entries of
// a winapp2.ini the user imported, each an item ticked by its name (Choices::catalogTicks),
// and which of them this machine shows (detection over its profiles and system folders).
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "engine/catalog/catalog_file.h"
#include "engine/catalog/expansion.h"
#include "engine/catalog/plan.h"
#include "engine/flag.h"

namespace scourix {

class Platform;
struct FolderPath;

namespace catalog {

// An imported entry's tick is kept under its name with this before it: it never takes
// the tick of a built-in entry of the same name.
constexpr char kImportedItemPrefix[] = "winapp2:";

struct CatalogItem {
  std::string name;  // the key of its tick
  Entry entry;
  bool imported = false;
};

// The key of an entry's tick.
std::string itemName(const Entry& entry, bool imported);
// Ticked by the user's choice where the name has one, else by its default: a built-in
// entry's Default; an imported entry starts unticked.
bool isTicked(const std::map<std::string, Flag>& ticks, const CatalogItem& item);

struct CatalogItems {
  std::vector<CatalogItem> items;  // the built-in entries, then the imported ones
  int importedBroken = 0;          // imported entries skipped as broken
};

// The items of the built-in catalog's text and of an imported file's text (empty: none).
CatalogItems catalogItems(const std::string& builtInText, const std::string& importedText);

// The machine the running program cleans: its system folders (from the system
// directory's drive) and the folders of these profiles in the standard layout, as paths
// in the code page.
Expander runningMachine(Platform& platform, const std::vector<FolderPath>& profiles);
// Detection by listing folders: a DetectFile names a folder or file that exists (its
// names compared with the listings' names as the file system spells them); the registry
// is not looked at (Unknown).
DetectionProbe listingProbe(Platform& platform);
// The items shown on this machine: detected for the system or in any profile.
std::vector<bool> shownItems(const CatalogItems& items, const Expander& machine, const DetectionProbe& probe);

}  // namespace catalog
}  // namespace scourix
