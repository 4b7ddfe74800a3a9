#include "ui/controls/hyperlink_label.h"

#include <shellapi.h>

#include <vector>

namespace scourix {

namespace {

// The signed client coordinates of a mouse message.
int PointX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int PointY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

constexpr UINT_PTR kToolId = 1;
constexpr int kHandCursorId = 106;
constexpr DWORD kRegistryValueMax = 260;

// The default value of HKEY_CLASSES_ROOT\key, at most 260 bytes; false when the key or
// its value cannot be read.
bool ReadClassesRootDefault(const std::string& key, std::string& value) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
  std::vector<char> buffer(kRegistryValueMax + 1, '\0');
  LONG size = static_cast<LONG>(kRegistryValueMax);
  const LONG status = RegQueryValueA(handle, nullptr, buffer.data(), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return false;
  value.assign(buffer.data());
  return !value.empty();
}

// The command line registered to open HTML documents, found through the class of ".htm".
bool RegisteredHtmlCommand(std::string& command) {
  std::string htmlClass;
  if (!ReadClassesRootDefault(".htm", htmlClass)) return false;
  return ReadClassesRootDefault(htmlClass + "\\shell\\open\\command", command);
}

}  // namespace

COLORREF LinkTextColour(const LinkColours& colours, bool hovering, bool visited) {
  if (hovering) return colours.hover;
  return visited ? colours.visited : colours.link;
}

std::string HtmlOpenCommand(const std::string& registeredCommand, const std::string& address) {
  std::string command = registeredCommand;
  size_t cut = command.find("\"%1\"");
  if (cut == std::string::npos) cut = command.find("%1");
  if (cut != std::string::npos) command.erase(cut);
  return command + " " + address;
}

HyperLinkLabel::HyperLinkLabel() { colours_.hover = GetSysColor(COLOR_HIGHLIGHT); }

HyperLinkLabel::~HyperLinkLabel() {
  Unsubclass();
  if (tooltip_ != nullptr && IsWindow(tooltip_)) DestroyWindow(tooltip_);
  if (font_ != nullptr) DeleteObject(font_);
  if (cursor_ != nullptr) DestroyCursor(cursor_);
}

bool HyperLinkLabel::Attach(HWND hwnd) {
  if (!Static::Attach(hwnd)) return false;
  // Tab reaches it and Space opens it, as a button: the keyboard gets where the mouse does.
  ModifyStyle(0, SS_NOTIFY | WS_TABSTOP);
  if (target_.empty()) target_ = GetText();
  if (GetText().empty()) SetText(target_);
  RebuildFont();
  LoadHandCursor();

  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
  if (tooltip_ != nullptr) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd;
    tool.uId = kToolId;
    tool.rect = ClientRect();
    tool.lpszText = const_cast<char*>(target_.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return Subclass(hwnd);
}

void HyperLinkLabel::SetTarget(const std::string& address) {
  target_ = address;
  if (tooltip_ == nullptr) return;
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd_;
  tool.uId = kToolId;
  tool.lpszText = const_cast<char*>(target_.c_str());
  SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void HyperLinkLabel::SetUnderlined(bool underlined) {
  underlined_ = underlined;
  if (hwnd_ == nullptr) return;
  RebuildFont();
  Invalidate(false);
}

void HyperLinkLabel::MarkVisited(bool visited) {
  visited_ = visited;
  if (hwnd_ != nullptr) Invalidate(true);
}

INT_PTR HyperLinkLabel::OpenTarget(const std::string& address, int showCommand) {
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, showCommand));
  if (opened > 32) return opened;
  std::string registered;
  if (!RegisteredHtmlCommand(registered)) return opened;
  return static_cast<INT_PTR>(WinExec(HtmlOpenCommand(registered, address).c_str(), static_cast<UINT>(showCommand)));
}

void HyperLinkLabel::LoadHandCursor() {
  if (cursor_ != nullptr) return;
  char directory[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const std::string path = std::string(directory) + "\\winhlp32.exe";
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) return;
  HCURSOR hand = LoadCursorA(module, MAKEINTRESOURCEA(kHandCursorId));
  if (hand != nullptr) cursor_ = static_cast<HCURSOR>(CopyIcon(hand));
  FreeLibrary(module);
}

bool HyperLinkLabel::OnReflectedCommand(UINT code, LRESULT& result) {
  if (code != STN_CLICKED) return false;
  OnClicked();
  result = 0;
  return true;
}

bool HyperLinkLabel::OnReflectedCtlColor(HDC dc, HBRUSH& brush) {
  SetTextColor(dc, textColour());
  SetBkMode(dc, TRANSPARENT);
  brush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  return true;
}

bool HyperLinkLabel::PreTranslate(MSG& message) {
  if (tooltip_ != nullptr) SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
  return false;
}

bool HyperLinkLabel::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MOUSEMOVE:
      result = DefaultProc(message, wParam, lParam);
      OnMouseMove(POINT{PointX(lParam), PointY(lParam)});
      return true;
    case WM_SETCURSOR:
      if (cursor_ == nullptr) return false;
      SetCursor(cursor_);
      result = TRUE;
      return true;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE) return false;
      OnClicked();
      result = 0;
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      result = DefaultProc(message, wParam, lParam);
      RedrawNow();
      return true;
    default:
      return false;
  }
}

void HyperLinkLabel::OnControlDestroyed() {
  tooltip_ = nullptr;  // destroyed with the label, its owner
  Detach();
}

void HyperLinkLabel::OnClicked() {
  const INT_PTR result = OpenTarget(target_, SW_SHOW);
  visited_ = result > 32;
  if (!visited_) {
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  MarkVisited(true);
}

void HyperLinkLabel::OnMouseMove(POINT point) {
  if (hovering_) {
    const RECT client = ClientRect();
    if (PtInRect(&client, point)) return;
    hovering_ = false;
    ReleaseCapture();
    RedrawNow();
    return;
  }
  hovering_ = true;
  RedrawNow();
  SetCapture(hwnd_);
}

void HyperLinkLabel::RebuildFont() {
  HFONT current = reinterpret_cast<HFONT>(Send(WM_GETFONT));
  if (current == nullptr) current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA logical{};
  if (GetObjectA(current, sizeof logical, &logical) == 0) return;
  logical.lfUnderline = underlined_ ? TRUE : FALSE;
  HFONT font = CreateFontIndirectA(&logical);
  if (font == nullptr) return;
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (font_ != nullptr) DeleteObject(font_);
  font_ = font;
}

void HyperLinkLabel::RedrawNow() const {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace scourix
