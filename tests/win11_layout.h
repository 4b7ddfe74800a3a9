#pragma once
// A Windows 11 system drive in miniature for the catalog's tests: the system's folders
// with the junk of the built-in entries, and per profile the programs of the entries with
// their caches and logs; beside them what must stay: the users' own files, chat stores,
// program state inside the locations, and files the deny list keeps. Paths are relative
// to the drive's root with '/' between names; `label` is the trace item that finds a
// file, empty for a file that must stay.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace scourix::test {

struct LayoutFile {
  std::string path;
  std::size_t size;
  std::string label;
  bool ticked = true;  // found ticked (false: an optional item, or listed with the lock)
  bool fresh = false;  // written now; every other file a month ago
  std::string text{};  // the content, where it matters (then `size` is its length)
};

// Only Windows lets a file's creation time be set back: elsewhere its status change,
// which stands for it, is now, and a file of a location with a minimum age is fresh.
#ifdef _WIN32
constexpr bool kCreationSettable = true;
#else
constexpr bool kCreationSettable = false;
#endif

// The layout for these profile names below Users. The last profile's WeChat 4 data is
// moved by its configuration to "Data\微信" of the drive, whose root is `root`.
inline std::vector<LayoutFile> windows11Layout(const std::vector<std::string>& users,
                                               const std::string& root) {
  const std::string wechat = u8"微信", embedded = u8"其他软件的浏览器内核缓存";
  const char separator = root.empty() ? '\\' : root.back();
  std::vector<LayoutFile> files = {
      {"Windows/SoftwareDistribution/Download/1a2b/windows10.0-kb5031356.cab", 9000,
       u8"Windows 更新下载缓存"},
      {"Windows/SoftwareDistribution/DataStore/DataStore.edb", 800, ""},
      {"Windows/ServiceProfiles/NetworkService/AppData/Local/Microsoft/Windows/DeliveryOptimization/"
       "Cache/3f/4c1d",
       7000, u8"传递优化缓存"},
      {"ProgramData/Microsoft/Windows/WER/ReportArchive/AppCrash_x_1/Report.wer", 300,
       u8"Windows 错误报告"},
      {"Windows/MEMORY.DMP", 6000, u8"内存转储"},
      {"Windows/Minidump/010124-01.dmp", 500, u8"内存转储"},
      {"Windows/LiveKernelReports/WATCHDOG/WATCHDOG-1.dmp", 400, u8"内存转储"},
      {"Windows/Temp/old-setup.tmp", 700, u8"系统临时文件", kCreationSettable},
      {"Windows/Temp/unpacking.tmp", 710, u8"系统临时文件", false, true},
      {"Windows/Logs/CBS/CbsPersist_20240101.log", 600, u8"系统日志"},
      {"Windows/Logs/CBS/CBS.log", 650, ""},
      {"Windows/Logs/DISM/dism.log", 120, ""},
      {"Windows/System32/winevt/Logs/System.evtx", 900, ""},
      {"Windows/System32/config/SOFTWARE", 1000, ""},
      {"Windows.old/Windows/System32/kernel32.dll", 800, u8"旧的 Windows 安装", false},
      {"Windows.old/Users/li/Documents/report.docx", 80, ""},
      {"Program Files/Tencent/WeChat/WeChat.exe", 100, ""},
  };
  for (std::size_t i = 0; i < users.size(); ++i) {
    const std::string home = "Users/" + users[i] + "/";
    const std::string roaming = home + "AppData/Roaming/", local = home + "AppData/Local/";
    const bool moved = i + 1 == users.size();
    const std::string weixin = moved ? u8"Data/微信/xwechat_files" : home + "Documents/xwechat_files";
    const std::vector<LayoutFile> own = {
        {home + u8"Documents/毕业论文.docx.bak", 50, ""},
        {home + u8"Desktop/安装日志.log", 40, ""},
        {home + "NTUSER.DAT", 60, ""},
        {local + "Microsoft/Windows/Explorer/thumbcache_256.db", 1200, u8"缩略图缓存"},
        {local + "Microsoft/Windows/Explorer/ExplorerStartupLog.etl", 30, ""},
        {local + "Microsoft/Windows/WER/ReportQueue/AppHang_y/Report.wer", 210, u8"Windows 错误报告"},
        {local + "CrashDumps/QQ.exe.4242.dmp", 2100, u8"程序崩溃转储"},
        // WeChat 3 and 4: caches and logs go, messages and received files stay.
        {roaming + "Tencent/WeChat/log/2024.xlog", 330, wechat, kCreationSettable},
        {home + "Documents/WeChat Files/wxid_a/FileStorage/Cache/2024-01/c.dat", 440, wechat, kCreationSettable},
        {home + u8"Documents/WeChat Files/wxid_a/FileStorage/File/2024-01/合同.pdf", 70, ""},
        {home + "Documents/WeChat Files/wxid_a/Msg/MicroMsg.db", 90, ""},
        {roaming + "Tencent/xwechat/log/xwechat.xlog", 310, wechat, kCreationSettable},
        {weixin + "/wxid_b_12/cache/img.dat", 520, wechat, kCreationSettable},
        {weixin + "/wxid_b_12/temp/t.dat", 130, wechat, kCreationSettable},
        {weixin + "/wxid_b_12/db_storage/message/message_0.db", 95, ""},
        {weixin + "/wxid_b_12/msg/file/2024-01/a.xlsx", 85, ""},
        // QQ: its logs only, however far an entry reaches into Tencent Files.
        {roaming + "Tencent/QQ/Misc/misc.dat", 20, ""},
        {home + "Documents/Tencent Files/12345/nt_qq/nt_data/log/nt.log", 610, "QQ"},
        {home + "Documents/Tencent Files/12345/nt_qq/nt_db/nt_msg.db", 75, ""},
        {home + "Documents/Tencent Files/12345/Msg3.0.db", 70, ""},
        {home + "Documents/Tencent Files/12345/FileRecv/a.doc", 65, ""},
        {roaming + "Tencent/WXWork/Log/wxwork.log", 240, u8"企业微信"},
        {roaming + "Tencent/WXWork/upgrade/setup.exe", 1500, u8"企业微信"},
        {roaming + "DingTalk/logs/dt.log", 170, u8"钉钉"},
        {roaming + "DingTalk/1234_v2/cef_cache/Cache/f_000001", 800, u8"钉钉"},
        {roaming + "DingTalk/1234_v2/cef_cache/Preferences", 25, ""},
        {roaming + "DingTalk/1234_v2/DBFiles/dt.db", 55, ""},
        {roaming + "LarkShell/logs/lark.log", 150, u8"飞书"},
        {roaming + "LarkShell/sdk_storage/abc/resources/r.png", 45, ""},
        // WPS: add-on versions older than the newest go whole.
        {roaming + "kingsoft/wps/addons/pool/kdocs/kdocs_1.2.9/main.dll", 1100, "WPS"},
        {roaming + "kingsoft/wps/addons/pool/kdocs/kdocs_1.2.10/main.dll", 1150, ""},
        {roaming + "kingsoft/office6/log/wps.log", 140, "WPS"},
        {roaming + "kingsoft/office6/backup/draft.docx", 35, ""},
        {roaming + "baidu/BaiduNetdisk/AutoUpdate/Download/setup.exe", 2500, u8"百度网盘"},
        {roaming + "baidu/BaiduNetdisk/BaiduYunCacheFileV0.db", 45, ""},
        // An Electron program: its caches, never its LevelDB or settings.
        {roaming + "Code/Local State", 15, ""},
        {roaming + "Code/Cache/Cache_Data/data_1", 900, embedded},
        {roaming + "Code/Code Cache/js/index", 260, embedded},
        {roaming + "Code/Local Storage/leveldb/000003.log", 80, ""},
        {roaming + "Code/Local Storage/leveldb/CURRENT", 16, ""},
        {roaming + "Code/Local Storage/leveldb/MANIFEST-000001", 50, ""},
        {roaming + "Code/User/settings.json", 30, ""},
        // Optional items are found unticked.
        {local + "D3DSCache/a1/b2.idx", 330, u8"显卡着色器缓存", false},
        {local + "NetEase/CloudMusic/Cache/Cache/song.uc", 3000, u8"网易云音乐缓存", false},
        {local + "NetEase/CloudMusic/Library/library.dat", 40, ""},
    };
    files.insert(files.end(), own.begin(), own.end());
    const std::string movedTo = root + u8"Data" + separator + u8"微信";
    if (moved) files.push_back({roaming + "Tencent/xwechat/config/a1b2.ini", movedTo.size(), "", true, false, movedTo});
  }
  return files;
}

// Writes the layout below `root` (ending with the separator), every file a month old
// but the fresh ones.
inline void writeLayout(const std::string& root, const std::vector<LayoutFile>& files) {
  namespace fs = std::filesystem;
  const auto monthAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);
  for (const LayoutFile& file : files) {
    const fs::path path = fs::u8path(root + file.path);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << (file.text.empty() ? std::string(file.size, 'j') : file.text);
    if (file.fresh) continue;
    fs::last_write_time(path, monthAgo);
#ifdef _WIN32
    // Files are fresh by the later of their creation and last write.
    HANDLE handle = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME written;
    GetFileTime(handle, nullptr, nullptr, &written);
    SetFileTime(handle, &written, nullptr, nullptr);
    CloseHandle(handle);
#endif
  }
}

}  // namespace scourix::test
