#pragma once
// What the catalog never lists, whatever an entry (built-in or imported) says: users'
// chat and mail stores and received files, programs' databases, keys and task lists,
// the system's own stores, and program state whose names look like junk. The walk asks
// per folder (a scope handed down from parent to child) and per file; a denied file is
// refused and counted, never listed.
//
// Denied by path (the names may stand anywhere in a path, '*' matching one folder):
//   WeChat 3  FileStorage\File, \Image, \Video, \MsgAttach; WeChat Files\*\Msg
//   WeChat 4  xwechat_files\*\msg, xwechat_files\*\db_storage
//   QQ        all of Tencent Files but *\nt_qq\nt_data\log; nt_qq\nt_db;
//             nt_data\Pic, \Video, \File, \Ptt, \Emoji
//   WeCom     WXWork Files\File; WXWork\*\Data (its databases)
//   DingTalk  DingTalk\*\DBFiles, DingTalk\*\resource_cache
//   Lark      sdk_storage\*\resources
//   WPS       office6\backup, qing\filecache, WPSDrive
//   Baidu     BaiduYunCacheFileV0.db, BaiduNetdiskDownload
//   music     KGMusicV3.db, playlistV3.db, CloudMusic\Library
//   others    Thunder's TaskDb.dat, SogouPY* (input-method dictionaries), Store apps'
//             Packages\*\LocalCache and \LocalState, event logs (*.evtx), registry hives
//             and their logs (NTUSER.DAT*, UsrClass.dat*, *.regtrans-ms, *.blf), page and
//             hibernation files, System Volume Information, $Recycle.Bin
//   system    below each system's Windows folder: Installer, WinSxS, System32\DriverStore,
//             System32\catroot2, System32\winevt, the files of System32\config,
//             SoftwareDistribution\DataStore, assembly, Fonts, Prefetch; ProgramData's
//             Package Cache
// Denied by what a folder's listing holds (FolderMarkers):
//   LevelDB   a folder with CURRENT and MANIFEST-*: all its files but LOG and LOG.old
//   ESE       a folder with *.edb, *.jrs, *.jfm, *.jcp, or *.chk beside *.log or *.jtx
//   SQLite    X-journal, X-wal, X-shm beside X, and X itself
//   browsers  every file inside a folder with "Local State", "Preferences" or "prefs.js"
//             (program_data.h) but in its cache folders
#include <cstddef>
#include <functional>
#include <unordered_set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/catalog/expansion.h"
#include "engine/catalog/names.h"

namespace scourix::catalog {

// What the deny list learns from one folder's listing; the walk notices every entry of
// the folder before it asks about the folder's files.
class FolderMarkers {
 public:
  void notice(std::string_view name, bool isDirectory);

  bool browserProfile() const { return browserProfile_; }
  bool levelDb() const { return current_ && manifest_; }
  bool ese() const { return eseFile_ || (checkpoint_ && transactionLog_); }
  // `name` is an SQLite database with a journal beside it, or such a journal.
  bool sqliteFamily(const std::u32string& foldedName) const;

 private:
  static std::size_t hashOf(std::u32string_view foldedName);

  bool browserProfile_ = false;
  bool current_ = false, manifest_ = false;
  bool eseFile_ = false, checkpoint_ = false, transactionLog_ = false;
  // The hashes of the files' folded names: only a journal asks whether its database is
  // there, so a folder of ordinary files costs no set of names. Sorted when first asked;
  // two names of one hash keep a journal as if its database were beside it.
  mutable std::vector<std::size_t> fileHashes_;
  mutable bool hashesSorted_ = true;
  std::unordered_set<std::u32string> journaled_;  // databases named by their journals
  std::u32string folded_;                         // the name being noticed
};

// The deny list's view of one folder, from the folders above it.
struct DenyScope {
  bool tree = false;       // every file below is denied
  bool files = false;      // the folder's own files are denied
  bool inProfile = false;  // inside a browser profile, outside its cache folders
  bool crashpad = false;   // a profile's Crashpad folder: its "reports" are a cache
  int exceptionRule = -1;  // a denied tree with exceptions, matched this many names deep
  std::size_t exceptionDepth = 0;
};

class DenyList {
 public:
  // The system-wide denials hold below the folders of each system given.
  explicit DenyList(const std::vector<SystemFolders>& systems);

  // The scope of the folder a walk starts in. `isBrowserProfile` tells whether a folder
  // above it holds a browser profile's marker file (the walk may answer false above the
  // application-data folders).
  DenyScope scopeOf(std::string_view folderPath,
                    const std::function<bool(std::string_view)>& isBrowserProfile) const;
  // The scope of a subfolder, from its parent's scope and the parent's listing.
  DenyScope childScope(const DenyScope& parent, const FolderMarkers& parentMarkers,
                       std::string_view childPath) const;
  // Whether a file of a folder with this scope and listing is denied.
  bool deniesFile(const DenyScope& scope, const FolderMarkers& markers,
                  std::string_view filePath) const;
  // The same with the file's last name folded already.
  bool deniesFile(const DenyScope& scope, const FolderMarkers& markers,
                  std::string_view filePath, const std::u32string& foldedName) const;

  struct Rule {
    std::vector<NamePattern> names;
    enum Reach { Tree, Files, File } reach = Tree;
    std::vector<std::vector<NamePattern>> exceptions;  // names below a Tree that stay open
  };

 private:
  DenyScope childScope(const DenyScope& parent, bool parentIsProfile,
                       std::string_view childPath) const;
  void applyPathRules(DenyScope& scope, const std::vector<std::u32string>& names) const;

  std::vector<Rule> rules_;
  struct Anchored {
    FoldedPath path;
    Rule::Reach reach;
  };
  std::vector<Anchored> anchored_;
};

}  // namespace scourix::catalog
