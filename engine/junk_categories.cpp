#include "engine/junk_categories.h"

namespace scourix {

bool JunkCategory::hasEnding(const std::string& text) const {
  for (const std::string& ending : endings) {
    if (ending == text) return true;
  }
  return false;
}

const std::vector<JunkCategory>& junkCategories() {
  // "?" in ".??$" is a plain character; nothing here is a wildcard.
  static const std::vector<JunkCategory> table = {
      {"temp files", &ScanSettings::tempFiles, JunkMatch::Extension,
       {".tmp", ".??$", ".chk", ".1st", ".ffa", ".ffl", ".ff0"}, true},
      {"back files", &ScanSettings::backupFiles, JunkMatch::Extension, {".bak", ".old"}, false},
      {"setup temp files", &ScanSettings::setupTempFiles, JunkMatch::Extension, {".dir", ".---"},
       false},
      {"system log files", &ScanSettings::systemLogFiles, JunkMatch::Extension, {".log"}, false},
      {"system log files", &ScanSettings::systemLogFiles, JunkMatch::NameTail,
       {"log.dat", "log.prv"}, false},
      {"help temp files", &ScanSettings::helpTempFiles, JunkMatch::Extension,
       {".fts", ".gid", ".ftg"}, false},
      {"window me cpy files", &ScanSettings::cpyFiles, JunkMatch::Extension, {".cpy"}, false},
      {"C++ builder temp files", &ScanSettings::cppBuilderFiles, JunkMatch::Extension,
       {".ilc", ".ild", ".ilf", ".ils", ".tds"}, false},
      {"VC++ temp files", &ScanSettings::visualCppFiles, JunkMatch::Extension,
       {".bsc", ".ilk", ".res", ".pch"}, false},
      {"log.txt temp files", &ScanSettings::logTxtFiles, JunkMatch::NameTail, {"log.txt"}, false},
      {"Untarnished Grabage files", &ScanSettings::garbageFiles, JunkMatch::Extension,
       {".~", ".-", ".dos"}, false},
      {"my rules(%s)", &ScanSettings::customRules, JunkMatch::CustomRules, {}, false},
      {"empty files", &ScanSettings::emptyFiles, JunkMatch::EmptyFile, {}, false},
  };
  return table;
}

}  // namespace scourix
