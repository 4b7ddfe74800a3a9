#include "ui/pages/exclusions_dialog.h"

#include <vector>

#include "engine/exclusions.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"

namespace scourix {

Exclusion ExclusionFromText(const std::string& utf8Text) {
  const std::size_t first = utf8Text.find_first_not_of(' ');
  const std::size_t last = utf8Text.find_last_not_of(' ');
  std::string text = first == std::string::npos ? std::string() : utf8Text.substr(first, last - first + 1);
  const bool folder = text.find_first_of("\\/:") != std::string::npos;
  return {folder ? Exclusion::Kind::Folder : Exclusion::Kind::Name, std::move(text)};
}

std::wstring ExclusionLineText(const Exclusion& entry) {
  return (entry.kind == Exclusion::Kind::Folder ? L"文件夹：" : L"文件名：") + wideFromUtf8(entry.text);
}

ExclusionsDialog::ExclusionsDialog(Exclusions& exclusions) : Dialog(IDD_EXCLUSIONS), exclusions_(exclusions) {}

BOOL ExclusionsDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  FillList();
  return TRUE;
}

bool ExclusionsDialog::OnCommand(int id, UINT code) {
  static constexpr Command<ExclusionsDialog> kCommands[] = {
      {IDC_EXCL_ADD, BN_CLICKED, &ExclusionsDialog::OnAdd},
      {IDC_EXCL_DELETE, BN_CLICKED, &ExclusionsDialog::OnDelete},
  };
  return RunCommand(*this, kCommands, id, code);
}

void ExclusionsDialog::FillList() {
  HWND list = Item(IDC_EXCL_LIST);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const Exclusion& entry : exclusions_.entries()) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ExclusionLineText(entry).c_str()));
  }
}

void ExclusionsDialog::OnAdd() {
  HWND field = Item(IDC_EXCL_TEXT);
  std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1);
  const int length = GetWindowTextW(field, text.data(), static_cast<int>(text.size()));
  Exclusion entry = ExclusionFromText(utf8FromWide(text.data(), static_cast<std::size_t>(length)));
  if (!Exclusions::namesSomething(entry)) {
    MessageBoxA(hwnd_, "请输入文件夹或文件名", "提示", MB_OK);
    return;
  }
  if (!exclusions_.add(std::move(entry))) {
    MessageBoxA(hwnd_, "已在排除列表中", "提示", MB_OK);
    return;
  }
  SetWindowTextW(field, L"");
  FillList();
}

void ExclusionsDialog::OnDelete() {
  const LRESULT selected = SendMessageW(Item(IDC_EXCL_LIST), LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  exclusions_.removeAt(static_cast<std::size_t>(selected));
  FillList();
}

}  // namespace scourix
