#pragma once
// The trace page's groups of catalog items after its own items and "浏览器缓存": the
// built-in entries by their group, in the order the catalog first names each ("系统垃圾",
// "软件垃圾", "可选"), then the imported entries in a group of their own; only the items
// this machine shows. What the description box says of a group and of an item.
#include <cstddef>
#include <string>
#include <vector>

#include "engine/catalog/machine.h"

namespace scourix {

constexpr wchar_t kImportedGroupText[] = L"导入的 winapp2.ini 条目";

struct CatalogGroup {
  std::wstring text;
  std::vector<std::size_t> items;  // into LoadedCatalog::entries, in catalog order
  bool imported = false;
  bool needsAdmin = false;  // every item of it needs administrator rights
  bool warns = false;       // an item of it carries a warning: its tick is confirmed
};

std::vector<CatalogGroup> CatalogGroups(const catalog::LoadedCatalog& catalog, const std::vector<bool>& shown);

std::wstring CatalogGroupDescription(const CatalogGroup& group);
// Its warning, the rights it needs, and the places it cleans.
std::wstring CatalogItemDescription(const catalog::Entry& entry);

}  // namespace scourix
