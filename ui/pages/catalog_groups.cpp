#include "ui/pages/catalog_groups.h"

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace scourix {

std::vector<CatalogGroup> CatalogGroups(const catalog::LoadedCatalog& catalog, const std::vector<bool>& shown) {
  std::vector<CatalogGroup> groups;
  CatalogGroup imported;
  imported.text = kImportedGroupText;
  imported.imported = true;
  for (std::size_t i = 0; i < catalog.entries.size(); ++i) {
    if (!shown[i]) continue;
    const std::wstring text = wideFromUtf8(catalog.entries[i].group);
    auto group = std::find_if(groups.begin(), groups.end(), [&](const CatalogGroup& g) { return g.text == text; });
    if (!catalog.imported[i] && group == groups.end()) {
      groups.emplace_back();
      groups.back().text = text;
      group = groups.end() - 1;
    }
    (catalog.imported[i] ? imported : *group).items.push_back(i);
  }
  if (!imported.items.empty()) groups.push_back(std::move(imported));
  for (CatalogGroup& group : groups) {
    const auto entry = [&](std::size_t i) -> const catalog::Entry& { return catalog.entries[i]; };
    group.needsAdmin = std::all_of(group.items.begin(), group.items.end(), [&](std::size_t i) { return entry(i).needsAdmin; });
    group.warns = std::any_of(group.items.begin(), group.items.end(), [&](std::size_t i) { return !entry(i).warning.empty(); });
  }
  return groups;
}

std::wstring CatalogGroupDescription(const CatalogGroup& group) {
  std::wstring text;
  if (group.imported) text += L"从 winapp2.ini 导入的条目，开始时都不选。";
  if (group.needsAdmin) text += L"Windows 自身的缓存、转储和日志，清理需要管理员权限。";
  if (group.warns) text += L"清理这些项目会有代价，开始时不选：选中前请看每一项的说明。";
  return text;
}

std::wstring CatalogItemDescription(const catalog::Entry& entry) {
  std::wstring text;
  if (!entry.warning.empty()) text += wideFromUtf8(entry.warning) + L"\r\n\r\n";
  if (entry.needsAdmin) text += L"需要管理员权限。\r\n\r\n";
  text += L"清理的位置：";
  for (const catalog::FileKey& key : entry.fileKeys) {
    std::string patterns;
    for (const std::string& pattern : key.patterns) patterns += (patterns.empty() ? "" : ";") + pattern;
    text += L"\r\n" + wideFromUtf8(key.folder + "\\" + patterns);
    if (key.recurse) text += L"（含子文件夹）";
  }
  return text;
}

}  // namespace scourix
