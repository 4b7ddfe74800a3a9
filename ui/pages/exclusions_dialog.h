#pragma once
// The exclusion list of the options page ("排除列表…"), a modal box: the folders and name
// patterns no scan lists, with "添加" and "删除". A change takes effect at once; "关闭" ends it.
#include <string>

#include "ui/framework/dialog.h"

namespace scourix {

class Exclusions;
struct Exclusion;

// What the text of the field adds: a folder when it holds a separator or a drive's
// colon, else a name pattern. Blanks around it are dropped.
Exclusion ExclusionFromText(const std::string& utf8Text);
// One entry as the list shows it: "文件夹：D:\资料" or "文件名：*.bak", in UTF-16.
std::wstring ExclusionLineText(const Exclusion& entry);

class ExclusionsDialog : public Dialog {
 public:
  explicit ExclusionsDialog(Exclusions& exclusions);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, UINT code) override;

 private:
  void FillList();
  void OnAdd();
  void OnDelete();

  Exclusions& exclusions_;
};

}  // namespace scourix
