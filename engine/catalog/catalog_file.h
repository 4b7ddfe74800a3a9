#pragma once
// The catalog of junk locations, read from text in the syntax of winapp2.ini (UTF-8):
//
//   [Name *]                      one entry per section; the trailing " *" is not shown
//   LangSecRef=3021 | Section=..  its group (one of the two is required)
//   Detect[N]=HKCU\Software\..    shown when any detection holds (a registry key exists,
//   DetectFile[N]=%AppData%\..    a file or folder exists; its last name may hold * and ?)
//   DetectOS=6.1| , |6.3 , 6.2|6.3  Windows versions (minimum, maximum, range)
//   SpecialDetect=DET_CHROME      the old detection codes, as their registry keys
//   Default=True|False            ticked at first (built-in entries only)
//   Warning=..                    shown when the user ticks it
//   FileKeyN=folder|pattern[;pattern..][|RECURSE][|REMOVESELF]
//                                 files matching a pattern in the folder; RECURSE: also
//                                 in its subfolders; REMOVESELF: as RECURSE, and the folder
//                                 itself goes when it is left empty
//   ExcludeKeyN=FILE|folder|name  (or FILE|folder\name): never this file
//   ExcludeKeyN=PATH|folder[|pattern;..]  never the folder's tree (or its files matching)
//   ExcludeKeyN=REG|key           honoured by nature: scourix cleans no registry
//   RegKeyN=..                    read and ignored
//
// Keys of scourix's own, which other readers ignore as unknown keys:
//   ScourixLabel=微信             the label on the trace page (default: the name)
//   ScourixGroup=软件垃圾         the group on the trace page (default: Section)
//   ScourixAdmin=1                needs administrator rights
//   ScourixMinAgeDays=7           files written or created within these days start
//                                 unticked with the lock
//   ScourixKeepNewest=1           where the last name of a FileKey's folder holds * or ?,
//                                 only the folders it matches that are older versions
//                                 ("name_1.2.3") than the newest of their name are cleaned
//   ScourixSkipInUse=1            files another program holds are skipped quietly
//                                 (counted as in use, not as failures)
//   ScourixSkipIf[N]=..           the entry is left alone while this file or folder (a
//                                 path with a variable) or registry key exists
//   ScourixHandler=A;B            the system's Disk Cleanup handlers (VolumeCaches names)
//                                 that remove these files; they are never deleted one by one
//
// Key names are compared without regard to case; a key given twice breaks its entry.
// Entries are isolated: a broken one (a malformed line or key, an unknown flag or
// exclusion form, text that is no UTF-8, a repeated section) is skipped and counted, and
// the others load. Lines starting with ';' are comments.
#include <string>
#include <string_view>
#include <vector>

namespace scourix::catalog {

struct FileKey {
  int number = 0;
  std::string folder;                 // as written: variables not expanded
  std::vector<std::string> patterns;  // names with * and ?
  bool recurse = false;               // set by REMOVESELF too
  bool removeSelf = false;
};

enum class ExcludeForm { File, Path, Registry };

struct ExcludeKey {
  int number = 0;
  ExcludeForm form = ExcludeForm::Path;
  std::string folder;                 // the folder of FILE's file, or PATH's folder
  std::vector<std::string> patterns;  // PATH without patterns: the whole tree
};

struct Entry {
  std::string section;  // as written, "Name *"
  std::string name;     // the section without its trailing " *"
  std::string label;
  std::string group;    // ScourixGroup, else Section, else "LangSecRef N"
  std::string warning;
  bool defaultTicked = false;
  std::vector<std::string> detectKeys;   // registry keys
  std::vector<std::string> detectFiles;  // paths with variables
  std::string detectOs;
  std::vector<FileKey> fileKeys;     // in number order
  std::vector<ExcludeKey> excludeKeys;
  int minAgeDays = 0;
  bool keepNewest = false;
  bool skipInUse = false;
  bool needsAdmin = false;
  std::vector<std::string> skipIf;  // paths with variables, or registry keys (HK..)
  std::vector<std::string> cleanupHandlers;
};

struct CatalogFile {
  std::vector<Entry> entries;
  std::vector<std::string> broken;  // the sections of the entries skipped as broken
  int registryOnly = 0;             // entries with only RegKeys: nothing for scourix to clean
};

CatalogFile readCatalog(std::string_view utf8Text);

// Whether a Windows version (6.1 is Windows 7, 10.0 Windows 10 and 11) lies in a DetectOS
// range; false for a range that cannot be read.
bool osInRange(std::string_view detectOs, int major, int minor);

}  // namespace scourix::catalog
