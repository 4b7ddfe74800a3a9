// The rules page: the list and its mouse picks, the buttons, the editor runs, and the
// import and export through the file dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/clean_engine.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "tests/ui/rule_dialog_answerers.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework/controls.h"
#include "ui/framework/window.h"
#include "ui/rules_page.h"

namespace scourix::test {
namespace {

ScanRule MakeRule(int enabled, const std::string& pattern, const std::string& description, int mode) {
  ScanRule rule;
  rule.enabled = enabled;
  rule.pattern = pattern;
  rule.description = description;
  rule.matchMode = mode;
  return rule;
}

std::vector<MessageBoxAnswerer::Box> MessageBoxes(const MessageBoxAnswerer& answer) {
  std::vector<MessageBoxAnswerer::Box> boxes;
  for (const auto& box : answer.boxes()) {
    if (!box.ownDialog) boxes.push_back(box);
  }
  return boxes;
}

// A folder of its own under the temporary folder, emptied and removed at the end.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static int made = 0;
    path_ = std::string(base) + "scourix-rules-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++made) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((path_ + found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
  }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::string ReadAll(const std::string& path) {
  std::string text;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char chunk[512];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    std::fclose(file);
  }
  return text;
}

void WriteAll(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

class RulesPageTest : public ::testing::Test {
 protected:
  RulesPageTest() : engine_(platform_) {}

  void Open(const std::vector<ScanRule>& rules) {
    for (const ScanRule& rule : rules) engine_.rules.append(rule);
    ASSERT_TRUE(host_.Create(nullptr));
    ASSERT_TRUE(page_.Create(host_.hwnd()));
    list_.Attach(page_.Item(IDC_RULES_LIST));
  }
  void OpenWithThreeRules() {
    Open({MakeRule(1, ".pcf", "clean pcf files", 0), MakeRule(0, "~", "greyed", 1), MakeRule(1, "doc.txt", "", 0)});
  }

  POINT RowPoint(int row) const {
    RECT rect{};
    list_.GetItemRect(row, rect, LVIR_LABEL);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  // A point of the list below the last row.
  POINT EmptyPoint() const {
    const RECT client = list_.ClientRect();
    return POINT{client.right / 2, client.bottom - 4};
  }
  void Click(POINT point, WPARAM keys = 0) const {
    const LPARAM position = MAKELPARAM(point.x, point.y);
    SendMessageA(list_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON | keys, position);
    SendMessageA(list_.hwnd(), WM_LBUTTONUP, keys, position);
  }
  // What the system sends for a double click: a click, then the double click.
  void DoubleClick(POINT point, WPARAM keys = 0) const {
    Click(point, keys);
    const LPARAM position = MAKELPARAM(point.x, point.y);
    SendMessageA(list_.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON | keys, position);
    SendMessageA(list_.hwnd(), WM_LBUTTONUP, keys, position);
  }

  bool DeleteEnabled() const { return IsWindowEnabled(page_.Item(IDC_RULES_DELETE)) != FALSE; }
  bool ModifyEnabled() const { return IsWindowEnabled(page_.Item(IDC_RULES_MODIFY)) != FALSE; }
  void Press(int button) const { ClickButton(page_.hwnd(), button); }

  std::vector<std::string> Row(int row) const {
    return {list_.GetItemText(row, 0), list_.GetItemText(row, 1), list_.GetItemText(row, 2)};
  }
  std::vector<ScanRule> Rules() const { return engine_.rules.all(); }
  // Every row shows the rule at its position.
  void ExpectRowsMatchTheStore() const {
    ASSERT_EQ(list_.GetItemCount(), engine_.rules.count());
    for (int i = 0; i < engine_.rules.count(); ++i) {
      const ScanRule& rule = engine_.rules.at(i);
      EXPECT_EQ(Row(i), (std::vector<std::string>{rule.pattern, rule.description, rule.enabled ? "启用" : "灰化"}))
          << "row " << i;
    }
  }
  void UseFile(const std::string& path) {
    page_.SetFileChooser([path](HWND, RuleFileAction) { return std::optional<std::string>(path); });
  }

  Win32Platform platform_;
  CleanEngine engine_;
  Dialog host_{IDD_MAIN};
  RulesPage page_{engine_};
  ListView list_;
};

// ---- The list ----

TEST_F(RulesPageTest, ListsTheRulesInThreeLeftAlignedColumns) {
  OpenWithThreeRules();
  const char* headings[] = {"规则", "规则说明", "是否启用"};
  const int widths[] = {160, 180, 60};
  for (int column = 0; column < 3; ++column) {
    char text[64] = {};
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    ASSERT_TRUE(list_.Send(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ(text, headings[column]);
    EXPECT_EQ(info.cx, widths[column]);
    EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
  const DWORD extended = list_.GetExtendedStyle();
  EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
  EXPECT_EQ(Row(0), (std::vector<std::string>{".pcf", "clean pcf files", "启用"}));
  EXPECT_EQ(Row(1), (std::vector<std::string>{"~", "greyed", "灰化"}));
  EXPECT_EQ(Row(2), (std::vector<std::string>{"doc.txt", "", "启用"}));
  EXPECT_EQ(list_.GetItemCount(), 3);
  EXPECT_EQ(page_.currentRule(), -1);
}

TEST_F(RulesPageTest, RefreshShowsTheStoreAndKeepsThePickAndTheButtons) {
  OpenWithThreeRules();
  Click(RowPoint(1));
  engine_.rules.append(MakeRule(-5, "x", "imported state", 3));
  page_.RefreshRuleList();
  ExpectRowsMatchTheStore();
  EXPECT_EQ(Row(3)[2], "启用");
  EXPECT_EQ(list_.GetSelectedCount(), 0);
  EXPECT_EQ(page_.currentRule(), 1);
  EXPECT_TRUE(ModifyEnabled());
}

// ---- Picking with the mouse ----

TEST_F(RulesPageTest, ClickingOneRowEnablesTheButtonsAndEmptySpaceDisablesThem) {
  OpenWithThreeRules();
  EXPECT_FALSE(DeleteEnabled());
  EXPECT_FALSE(ModifyEnabled());
  Click(RowPoint(2));
  EXPECT_EQ(list_.GetSelectedCount(), 1);
  EXPECT_EQ(page_.currentRule(), 2);
  EXPECT_TRUE(DeleteEnabled());
  EXPECT_TRUE(ModifyEnabled());
  Click(EmptyPoint());
  EXPECT_EQ(list_.GetSelectedCount(), 0);
  EXPECT_EQ(page_.currentRule(), -1);
  EXPECT_FALSE(DeleteEnabled());
  EXPECT_FALSE(ModifyEnabled());
}

TEST_F(RulesPageTest, ControlClickingASecondRowUnpicks) {
  OpenWithThreeRules();
  Click(RowPoint(0));
  ASSERT_EQ(page_.currentRule(), 0);
  Click(RowPoint(2), MK_CONTROL);
  EXPECT_EQ(list_.GetSelectedCount(), 2);
  EXPECT_EQ(page_.currentRule(), -1);
  EXPECT_FALSE(DeleteEnabled());
  EXPECT_FALSE(ModifyEnabled());
}

TEST_F(RulesPageTest, TheKeyboardMovesTheSelectionButNotThePick) {
  OpenWithThreeRules();
  Click(RowPoint(0));
  SetFocus(list_.hwnd());
  PressKey(list_.hwnd(), VK_DOWN);
  EXPECT_EQ(list_.GetNextItem(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(page_.currentRule(), 0);
}

TEST_F(RulesPageTest, DoubleClickingARowModifiesIt) {
  OpenWithThreeRules();
  RuleEditorAnswerer editor(IDCANCEL);
  DoubleClick(RowPoint(1));
  ASSERT_EQ(editor.count(), 1);
  const auto& shown = editor.shown()[0];
  EXPECT_EQ(shown.caption, "修改");
  EXPECT_EQ(shown.pattern, "~");
  EXPECT_EQ(shown.description, "greyed");
  EXPECT_EQ(shown.enableIndex, 1);
  EXPECT_EQ(shown.modeIndex, 1);
  EXPECT_EQ(shown.owner, host_.hwnd());
  EXPECT_EQ(page_.currentRule(), 1);
  EXPECT_TRUE(ModifyEnabled());
  EXPECT_EQ(engine_.rules.count(), 3);  // cancelled
}

TEST_F(RulesPageTest, DoubleClickingWithTwoRowsSelectedAdds) {
  OpenWithThreeRules();
  RuleEditorAnswerer editor(IDCANCEL);
  Click(RowPoint(0));
  Click(RowPoint(1), MK_CONTROL);
  DoubleClick(EmptyPoint(), MK_CONTROL);  // Ctrl keeps both rows selected
  ASSERT_EQ(editor.count(), 1);
  EXPECT_EQ(editor.shown()[0].caption, "增加");
  EXPECT_EQ(editor.shown()[0].pattern, "");
  EXPECT_EQ(editor.shown()[0].enableIndex, 0);
  EXPECT_EQ(editor.shown()[0].modeIndex, 0);
  EXPECT_EQ(page_.currentRule(), -1);
  EXPECT_FALSE(DeleteEnabled());
  EXPECT_EQ(engine_.rules.count(), 3);
}

TEST_F(RulesPageTest, DoubleClickingEmptySpaceAddsARule) {
  OpenWithThreeRules();
  RuleEditorAnswerer editor(IDOK, [](HWND hwnd) { SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, ".bak"); });
  DoubleClick(EmptyPoint());
  ASSERT_EQ(editor.count(), 1);
  EXPECT_EQ(editor.shown()[0].caption, "增加");
  ASSERT_EQ(engine_.rules.count(), 4);
  EXPECT_EQ(engine_.rules.at(3), MakeRule(1, ".bak", "", 0));
  ExpectRowsMatchTheStore();
}

// ---- Adding, modifying, deleting, clearing ----

TEST_F(RulesPageTest, AddingAppendsTheLastRowAndModifyStillEditsThePickedRule) {
  OpenWithThreeRules();
  Click(RowPoint(1));
  RuleEditorAnswerer editor(IDOK, [](HWND hwnd) {
    SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, "new");
    SetDlgItemTextA(hwnd, IDC_EDIT_DESCRIPTION, "added");
    SendDlgItemMessageA(hwnd, IDC_EDIT_MODE, CB_SETCURSEL, 1, 0);
  });
  Press(IDC_RULES_ADD);
  ASSERT_EQ(engine_.rules.count(), 4);
  EXPECT_EQ(engine_.rules.at(3), MakeRule(1, "new", "added", 1));
  EXPECT_EQ(Row(3), (std::vector<std::string>{"new", "added", "启用"}));
  EXPECT_EQ(list_.GetSelectedCount(), 0);
  EXPECT_TRUE(ModifyEnabled());

  editor.SetFill([](HWND hwnd) {
    SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, "tilde");
    SendDlgItemMessageA(hwnd, IDC_EDIT_ENABLED, CB_SETCURSEL, 0, 0);
  });
  Press(IDC_RULES_MODIFY);
  ASSERT_EQ(editor.count(), 2);
  EXPECT_EQ(editor.shown()[1].caption, "修改");
  EXPECT_EQ(editor.shown()[1].pattern, "~");
  EXPECT_EQ(engine_.rules.at(1), MakeRule(1, "tilde", "greyed", 1));
  EXPECT_EQ(Row(1), (std::vector<std::string>{"tilde", "greyed", "启用"}));
  EXPECT_EQ(engine_.rules.count(), 4);
}

TEST_F(RulesPageTest, AddingAnExistingPatternAsksNothing) {
  MessageBoxAnswerer answer(IDNO);
  OpenWithThreeRules();
  RuleEditorAnswerer editor(IDOK, [](HWND hwnd) { SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, ".pcf"); });
  Press(IDC_RULES_ADD);
  EXPECT_TRUE(MessageBoxes(answer).empty());
  ASSERT_EQ(engine_.rules.count(), 4);
  EXPECT_EQ(engine_.rules.at(3).pattern, ".pcf");
}

TEST_F(RulesPageTest, ModifyingToGreyedChangesTheThirdColumn) {
  OpenWithThreeRules();
  Click(RowPoint(2));
  RuleEditorAnswerer editor(IDOK, [](HWND hwnd) { SendDlgItemMessageA(hwnd, IDC_EDIT_ENABLED, CB_SETCURSEL, 1, 0); });
  Press(IDC_RULES_MODIFY);
  EXPECT_EQ(engine_.rules.at(2), MakeRule(0, "doc.txt", "", 0));
  EXPECT_EQ(Row(2)[2], "灰化");
  ExpectRowsMatchTheStore();
}

TEST_F(RulesPageTest, AModeWithoutAnItemIsStoredAsMinusOne) {
  Open({MakeRule(1, "a", "imported", 7)});
  Click(RowPoint(0));
  RuleEditorAnswerer editor(IDOK);
  Press(IDC_RULES_MODIFY);
  ASSERT_EQ(editor.count(), 1);
  EXPECT_EQ(editor.shown()[0].modeIndex, -1);
  EXPECT_EQ(engine_.rules.at(0), MakeRule(1, "a", "imported", -1));
}

TEST_F(RulesPageTest, CancellingTheEditorChangesNothing) {
  OpenWithThreeRules();
  const std::vector<ScanRule> before = Rules();
  Click(RowPoint(0));
  RuleEditorAnswerer editor(IDCANCEL, [](HWND hwnd) { SetDlgItemTextA(hwnd, IDC_EDIT_PATTERN, "changed"); });
  Press(IDC_RULES_MODIFY);
  Press(IDC_RULES_ADD);
  EXPECT_EQ(editor.count(), 2);
  EXPECT_EQ(Rules(), before);
  ExpectRowsMatchTheStore();
}

TEST_F(RulesPageTest, DeletingAsksAndNoKeepsTheRow) {
  MessageBoxAnswerer answer(IDYES);
  OpenWithThreeRules();
  Click(RowPoint(1));
  answer.QueueAnswers({IDNO});
  Press(IDC_RULES_DELETE);
  auto boxes = MessageBoxes(answer);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "确实要删除么?");
  EXPECT_EQ(boxes[0].caption, "提示");
  EXPECT_EQ(boxes[0].owner, host_.hwnd());
  EXPECT_EQ(engine_.rules.count(), 3);
  EXPECT_EQ(page_.currentRule(), 1);
  EXPECT_TRUE(DeleteEnabled());

  Press(IDC_RULES_DELETE);  // answered Yes
  EXPECT_EQ(MessageBoxes(answer).size(), 2u);
  EXPECT_EQ(Rules(), (std::vector<ScanRule>{MakeRule(1, ".pcf", "clean pcf files", 0), MakeRule(1, "doc.txt", "", 0)}));
  ExpectRowsMatchTheStore();
  EXPECT_EQ(page_.currentRule(), -1);
  EXPECT_FALSE(DeleteEnabled());
  EXPECT_FALSE(ModifyEnabled());
}

TEST_F(RulesPageTest, ClearingRemovesEveryRuleWithoutAsking) {
  MessageBoxAnswerer answer(IDNO);
  OpenWithThreeRules();
  Click(RowPoint(0));
  Press(IDC_RULES_CLEAR);
  EXPECT_TRUE(MessageBoxes(answer).empty());
  EXPECT_EQ(engine_.rules.count(), 0);
  EXPECT_EQ(list_.GetItemCount(), 0);
  EXPECT_EQ(page_.currentRule(), -1);
  EXPECT_FALSE(DeleteEnabled());
  EXPECT_FALSE(ModifyEnabled());
}

TEST_F(RulesPageTest, ModifyAndDeleteWithoutAPickDoNothing) {
  MessageBoxAnswerer answer(IDYES);
  OpenWithThreeRules();
  RuleEditorAnswerer editor(IDOK);
  Press(IDC_RULES_MODIFY);
  Press(IDC_RULES_DELETE);
  EXPECT_EQ(editor.count(), 0);
  EXPECT_TRUE(MessageBoxes(answer).empty());
  EXPECT_EQ(engine_.rules.count(), 3);
}

TEST_F(RulesPageTest, EnterAndEscOnThePagePressNothing) {
  OpenWithThreeRules();
  RuleEditorAnswerer editor(IDCANCEL);
  HWND add = page_.Item(IDC_RULES_ADD);
  SetFocus(add);
  PressKey(add, VK_RETURN);
  PressKey(add, VK_ESCAPE);
  SetFocus(list_.hwnd());
  PressKey(list_.hwnd(), VK_RETURN);
  EXPECT_EQ(editor.count(), 0);
  EXPECT_TRUE(page_.exists());
}

// ---- Import and export ----

TEST_F(RulesPageTest, ExportThenImportGivesTheRulesBack) {
  MessageBoxAnswerer answer(IDOK);
  TempFolder folder;
  const std::string path = folder.File("rules.txt");
  OpenWithThreeRules();
  const std::vector<ScanRule> exported = Rules();
  UseFile(path);
  Press(IDC_RULES_EXPORT);
  EXPECT_EQ(ReadAll(path), ".pcf,clean pcf files,0,1\r\n~,greyed,1,0\r\ndoc.txt,,0,1\r\n");
  Press(IDC_RULES_CLEAR);
  Press(IDC_RULES_IMPORT);
  EXPECT_EQ(Rules(), exported);
  ExpectRowsMatchTheStore();
  EXPECT_EQ(Row(1)[2], "灰化");
  const auto boxes = MessageBoxes(answer);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "导出成功");
  EXPECT_EQ(boxes[1].text, "导入成功");
  for (const auto& box : boxes) {
    EXPECT_EQ(box.caption, "提示");
    EXPECT_EQ(box.owner, host_.hwnd());
  }
}

TEST_F(RulesPageTest, ImportingTwiceAsksBeforeEachDuplicate) {
  MessageBoxAnswerer answer(IDOK);
  TempFolder folder;
  const std::string path = folder.File("import.txt");
  WriteAll(path, ".pcf,first,0,1\r\n.tmp,second,1,0\r\n");
  Open({});
  UseFile(path);
  Press(IDC_RULES_IMPORT);
  ASSERT_EQ(engine_.rules.count(), 2);
  ASSERT_EQ(MessageBoxes(answer).size(), 1u);  // no question, only the result

  answer.QueueAnswers({IDNO, IDYES});
  Press(IDC_RULES_IMPORT);
  const auto boxes = MessageBoxes(answer);
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[1].text, ".pcf 规则已经存在，是否还要添加?");
  EXPECT_EQ(boxes[2].text, ".tmp 规则已经存在，是否还要添加?");
  for (int i : {1, 2}) {
    EXPECT_EQ(boxes[i].caption, "提醒");
    EXPECT_EQ(boxes[i].owner, host_.hwnd());
  }
  EXPECT_EQ(boxes[3].text, "导入成功");
  EXPECT_EQ(Rules(), (std::vector<ScanRule>{MakeRule(1, ".pcf", "first", 0), MakeRule(0, ".tmp", "second", 1),
                                            MakeRule(0, ".tmp", "second", 1)}));
  ExpectRowsMatchTheStore();
}

TEST_F(RulesPageTest, AnExportThatCannotCreateItsFileIsReported) {
  MessageBoxAnswerer answer(IDOK);
  TempFolder folder;
  const std::string path = folder.File("missing\\rules.txt");
  OpenWithThreeRules();
  UseFile(path);
  Press(IDC_RULES_EXPORT);
  const auto boxes = MessageBoxes(answer);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "导出文件发现异常");
  EXPECT_EQ(boxes[0].caption, "提示");
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RulesPageTest, AnImportOfAMissingFileIsReportedAndStillRebuildsTheList) {
  MessageBoxAnswerer answer(IDOK);
  TempFolder folder;
  OpenWithThreeRules();
  engine_.rules.append(MakeRule(1, "unlisted", "", 0));  // shows only after a rebuild
  const std::vector<ScanRule> before = Rules();
  UseFile(folder.File("absent.txt"));
  Press(IDC_RULES_IMPORT);
  const auto boxes = MessageBoxes(answer);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "导入文件发现异常");
  EXPECT_EQ(boxes[0].caption, "提示");
  EXPECT_EQ(Rules(), before);
  ExpectRowsMatchTheStore();
}

TEST_F(RulesPageTest, ACancelledFileChoiceDoesNothing) {
  MessageBoxAnswerer answer(IDOK);
  OpenWithThreeRules();
  std::vector<RuleFileAction> asked;
  std::vector<HWND> owners;
  page_.SetFileChooser([&](HWND owner, RuleFileAction action) {
    owners.push_back(owner);
    asked.push_back(action);
    return std::optional<std::string>();
  });
  Press(IDC_RULES_IMPORT);
  Press(IDC_RULES_EXPORT);
  EXPECT_EQ(asked, (std::vector<RuleFileAction>{RuleFileAction::Import, RuleFileAction::Export}));
  EXPECT_EQ(owners, (std::vector<HWND>{page_.hwnd(), page_.hwnd()}));
  EXPECT_TRUE(MessageBoxes(answer).empty());
  EXPECT_EQ(engine_.rules.count(), 3);
}

TEST_F(RulesPageTest, TheCommonFileDialogsChooseTheFiles) {
  MessageBoxAnswerer answer(IDOK);
  TempFolder folder;
  const std::string source = folder.File("source.txt");
  const std::string target = folder.File("target.txt");
  WriteAll(source, "abc,\r\n,x,1,1\r\n");
  WriteAll(target, "old contents");
  Open({});
  // The dialogs move the working folder to the chosen file's; the tests put it back.
  char workingFolder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, workingFolder);
  {
    FileDialogAnswerer files(source);
    Press(IDC_RULES_IMPORT);
    EXPECT_EQ(files.count(), 1);
    EXPECT_EQ(files.owner(), host_.hwnd());
  }
  EXPECT_EQ(Rules(), (std::vector<ScanRule>{MakeRule(1, "abc", "", 0), MakeRule(1, "", "x", 1)}));
  ExpectRowsMatchTheStore();
  {
    FileDialogAnswerer files(target);
    Press(IDC_RULES_EXPORT);
    EXPECT_EQ(files.count(), 1);
  }
  EXPECT_EQ(ReadAll(target), "abc,,0,1\r\n,x,1,1\r\n");
  {
    FileDialogAnswerer files("");  // Cancel
    Press(IDC_RULES_IMPORT);
    EXPECT_EQ(files.count(), 1);
  }
  EXPECT_EQ(engine_.rules.count(), 2);
  SetCurrentDirectoryA(workingFolder);
  const auto boxes = MessageBoxes(answer);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "导入成功");
  EXPECT_EQ(boxes[1].text, "导出成功");
}

}  // namespace
}  // namespace scourix::test
