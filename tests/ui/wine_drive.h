#pragma once
// A drive letter of the test's own under Wine: the mount manager of Wine maps the letter
// to a folder (as winecfg does), as a fixed disk, until the object goes.
#include <string>

namespace scourix::test {

class WineDriveLetter {
 public:
  // `folder`: a Windows path of an existing folder. Nothing happens outside Wine or when
  // the letter is someone else's; a letter left behind by a killed test run is taken over.
  WineDriveLetter(char letter, const std::string& folder);
  ~WineDriveLetter();
  WineDriveLetter(const WineDriveLetter&) = delete;
  WineDriveLetter& operator=(const WineDriveLetter&) = delete;

  // The letter now names the folder as a fixed drive.
  bool ready() const { return defined_; }
  // "M:\"
  std::string root() const { return std::string(1, letter_) + ":\\"; }
  // Why it is not ready, for the test's skip message.
  const std::string& problem() const { return problem_; }

 private:
  bool Define(const char* unixFolder);

  char letter_;
  bool defined_ = false;
  std::string problem_;
};

// Makes `link` (a Windows path of a new entry) a Unix symbolic link to the folder `target`,
// which Wine lists as a directory and reparse point. False outside Wine.
bool MakeUnixLink(const std::string& link, const std::string& target);

}  // namespace scourix::test
