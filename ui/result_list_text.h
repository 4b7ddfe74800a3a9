#pragma once
// What the result list window shows, and the boxes that end a scan and a deletion say.
#include <cstdint>
#include <string>

#include "engine/clean_engine.h"
#include "engine/scan_observer.h"

namespace scourix {

// The caption: "结果列表[总数N]".
std::string ResultListCaption(int count);
// One line of the list: the category in square brackets, directly followed by the path as
// the file system spells it, for the wide calls.
std::wstring ResultLineWideText(const std::string& category, const ExactPath& path);
// "查看" of a file whose name the shell would take for another's.
constexpr char kViewRefusedText[] = "此文件的名称无法交给外壳程序（以点或空格结尾、含通配符，或路径过长），无法查看";
// The status line below the list: all findings and their size, the ticked ones and theirs.
std::string ResultStatusText(int count, std::uint64_t bytes, int ticked, std::uint64_t tickedBytes);
// The box after a deletion: what it freed, what went to the recycle bin (if anything did)
// and how many ticked files could not be deleted.
std::string DeletionDoneText(const DeletionResult& deletion);
// A line's pictures in the folder bitmap: the closed and open folder, or the lock of a
// finding that started unticked because deleting it could break a program.
struct LineImages {
  int normal;
  int selected;
};
LineImages ResultLineImages(const FoundFile& file);

// The box that ends a scan: "扫描完毕"; a trace scan that met folders it could not list says
// how many.
std::string ScanEndText(ScanKind kind, int unreadableLocations);

}  // namespace scourix
