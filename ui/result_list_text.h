#pragma once
// What the result list window shows and in which order, and the boxes that end a scan
// and a deletion say.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/clean_engine.h"
#include "engine/scan_observer.h"

namespace scourix {

// The box of a "查看" or "打开所在文件夹" that the shell would carry out on another file.
constexpr char kShellRefusedText[] =
    "此文件的名称无法交给外壳程序（以点或空格结尾、含通配符，或路径过长），无法打开";

// The caption: "结果列表[总数N]".
std::string ResultListCaption(int count);
// One line of the list: the category in square brackets, directly followed by the path as
// the file system spells it, two blanks and the file's size, for the wide calls.
std::wstring ResultLineWideText(const std::string& category, const ExactPath& path, std::uint64_t size);
// The order of the lines: as found; largest first; or by category, the categories in the
// order they were first found. Equal lines keep the found order.
enum class LineOrder { Found, Size, Category };
// The findings 0 to count - 1 in the lines' order.
std::vector<int> ResultLineOrder(int count, const std::function<const FoundFile&(int)>& fileAt, LineOrder order);
// The status line below the list: all findings and their size, the ticked ones and theirs.
std::string ResultStatusText(int count, std::uint64_t bytes, int ticked, std::uint64_t tickedBytes);
// The question before a deletion: how many files, their size, and where they go; and how
// many ticked files are left to Windows' Disk Cleanup instead.
std::string DeletionQuestionText(int ticked, std::uint64_t tickedBytes, bool toRecycleBin, int forSystemCleanup);
// The box after a deletion: what it freed, what went to the recycle bin (if anything did)
// and how many ticked files could not be deleted.
std::string DeletionDoneText(const DeletionResult& deletion);
// The list changed while the deletion question was open: nothing was deleted.
inline constexpr char kListChangedText[] = "结果列表已经改变，未删除任何文件。";
// The same, asking whether to open Windows' Disk Cleanup for the files left to it.
std::string DiskCleanupQuestionText(const DeletionResult& deletion);
// The shell could not open the file at `path` (code page).
std::string LaunchFailedText(const std::string& path);
// A line's pictures in the folder bitmap: the closed and open folder, or the lock of a
// finding that started unticked because deleting it could break a program.
struct LineImages {
  int normal;
  int selected;
};
LineImages ResultLineImages(const FoundFile& file);

// The box that ends a scan: "扫描完毕", or "扫描已停止" after the user's stop; a trace scan
// that met folders it could not list says how many.
std::string ScanEndText(ScanKind kind, int unreadableLocations, bool stopped);

}  // namespace scourix
