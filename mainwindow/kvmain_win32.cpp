#include "mainwindow/kvmain_win32.h"

#include <commctrl.h>

#include <initializer_list>
#include <span>
#include <utility>

#include "app/drop_block.h"
#include "mainwindow/font_win32.h"
#include "mainwindow/intake.h"
#include "mainwindow/layout.h"
#include "mainwindow/list_commands.h"
#include "mainwindow/module_globals.h"
#include "mainwindow/settings.h"
#include "platform/error.h"
#include "platform/path_parts.h"
#include "platform/win32/command_line.h"
#include "platform/win32/date_time.h"
#include "platform/win32/text.h"
#include "platform/win32/window_support.h"
#include "utilities/item_utilities.h"
#include "utilities/shell_entry.h"
#include "utilities/system_tools.h"
#include "utilities/timestamp.h"

namespace kavri {
namespace {

constexpr int kIdComboBox1 = 100;
constexpr int kIdListBox1 = 101;
constexpr int kIdButCopy = 102;
constexpr int kIdButMove = 103;
constexpr int kIdButDel = 104;
constexpr int kIdButQuit = 105;

constexpr UINT kMsgHandOff = WM_APP + 1;    // hand-offs are waiting in the queue
constexpr UINT kMsgSelectText = WM_APP + 2;  // select the whole destination text

constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr int kDropDownLines = 8;

bool KeyDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

bool IsButton(HWND window) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  return lstrcmpiA(className, "Button") == 0;
}

void Place(HWND control, const Bounds& bounds, int extraHeight = 0) {
  MoveWindow(control, bounds.left, bounds.top, bounds.width, bounds.height + extraHeight, TRUE);
}

}  // namespace

TKVMain::TKVMain(HINSTANCE instance) : instance_(instance), cp_(SystemCodePage()) {}

TKVMain::~TKVMain() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void TKVMain::RegisterWindowClass() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(1));
  if (!windowClass.hIcon) windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClassName;
  if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw Error("Cannot register the window class: " + SystemErrorText(GetLastError()));
  }
}

void TKVMain::Construct(const std::vector<std::wstring>& arguments) {
  RegisterWindowClass();
  MainMenu1 = BuildMainMenu1();
  accelerators_ = BuildMenuAccelerators();
  dpi_ = SystemDpi();
  CreateWindowExA(0, kWindowClassName, kWindowTitle, kWindowStyle, kKVMainDesign.left,
                  kKVMainDesign.top, ScaleForDpi(kKVMainDesign.width, static_cast<int>(dpi_)),
                  ScaleForDpi(kKVMainDesign.height, static_cast<int>(dpi_)), nullptr, MainMenu1,
                  instance_, this);
  if (!hwnd_) throw Error("Cannot create the main window: " + SystemErrorText(GetLastError()));
  AddStartmenu1 = MenuItem(MainMenu1, MenuIdOf("AddStartmenu1"));
  StayOnTop1 = MenuItem(MainMenu1, MenuIdOf("StayOnTop1"));
  form_ = MainFormWindow(hwnd_, StayOnTop1);
  dialogs_ = MessageBoxDialogs(hwnd_);
  CreateControls();
  ApplyDpi(DpiForWindow(hwnd_));

  DesktopDir = DesktopDirFrom(registry_.ReadText(RegistryRoot::CurrentUser, kShellFoldersKey,
                                                 "Desktop"));
  if (ShellEntryPresent(registry_)) AddStartmenu1.SetCaption(kRemoveFromShellCaption);
  AcceptDroppedFiles(hwnd_);
  AllowDropMessages(hwnd_);
  // The program's own path has no user to refuse it to: where neither it nor
  // its short form fits the code page, the system's nearest form is taken.
  exePath_ = AnsiPathFor(ProgramPath()).value_or(ToCodePageLossy(ProgramPath()));
  const ProgramPaths paths = ProgramPathsFor(exePath_, cp_);
  ExeDir = paths.exeDir;
  BatPath = paths.batPath;
  IniList.clear();
  IniPath = paths.iniPath;
  LoadSettings(fs_, IniPath, IniList, destination_, form_);

  const ConvertedPaths converted = ConvertArrivedPaths(arguments, converter_);
  TakeCommandLine(converted.paths, items_, destination_);
  refusedAtStart_ = converted.refused;
}

HWND TKVMain::CreateChild(const char* className, const ControlDesign& design, DWORD style,
                          DWORD exStyle, int id) {
  const int dpi = static_cast<int>(dpi_);
  HWND child = CreateWindowExA(exStyle, className, design.caption,
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | style,
                               ScaleForDpi(design.left, dpi), ScaleForDpi(design.top, dpi),
                               ScaleForDpi(design.width, dpi), ScaleForDpi(design.height, dpi),
                               hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance_, nullptr);
  if (!child) throw Error(std::string("Cannot create ") + design.name);
  return child;
}

void TKVMain::CreateControls() {
  // Created in tab order, which is the order Tab walks them.
  ComboBox1 = CreateChild(WC_COMBOBOXA, kComboBox1Design,
                          WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, kIdComboBox1);
  ListBox1 = CreateChild(WC_LISTBOXA, kListBox1Design,
                         WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT |
                             LBS_HASSTRINGS,
                         WS_EX_CLIENTEDGE, kIdListBox1);
  ButCopy = CreateChild(WC_BUTTONA, kButCopyDesign, BS_PUSHBUTTON, 0, kIdButCopy);
  ButMove = CreateChild(WC_BUTTONA, kButMoveDesign, BS_PUSHBUTTON, 0, kIdButMove);
  ButDel = CreateChild(WC_BUTTONA, kButDelDesign, BS_PUSHBUTTON, 0, kIdButDel);
  ButQuit = CreateChild(WC_BUTTONA, kButQuitDesign, BS_PUSHBUTTON, 0, kIdButQuit);

  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(ComboBox1, &info)) comboEdit_ = info.hwndItem;
  // Subclassed by hand: comctl32's SetWindowSubclass costs Wine about 160
  // microseconds a message, which made 10,000 lines take seconds to list.
  listBoxProc_ = Subclass(ListBox1);
  if (comboEdit_) comboEditProc_ = Subclass(comboEdit_);

  items_ = ListBoxItems(ListBox1);
  destination_ = ComboBoxDestination(ComboBox1);
  lastFocus_ = ComboBox1;
}

void TKVMain::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  font_ = CreateWindowFont(dpi);
  for (HWND control : {ComboBox1, ListBox1, ButCopy, ButMove, ButDel, ButQuit}) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  }
  comboField_ = 0;
  FormResize();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TKVMain::FitComboHeight() {
  // The selection field's height follows the font; it is set so the whole
  // box keeps its design height. Wine reports the field two pixels taller
  // than the value it was set to and goes back to the font's height whenever
  // the box is moved, so the value is found by measuring the box and is set
  // again after every move.
  const int target = ScaleForDpi(kComboBox1Design.height, static_cast<int>(dpi_));
  if (comboField_ <= 0) {
    const LRESULT reported =
        SendMessageA(ComboBox1, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    comboField_ = reported == CB_ERR ? target : static_cast<int>(reported);
  }
  for (int pass = 0; pass < 2 && comboField_ > 0; ++pass) {
    SendMessageA(ComboBox1, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), comboField_);
    if (ComboHeight() == target) break;
    comboField_ += target - ComboHeight();
  }
}

int TKVMain::ComboHeight() const {
  RECT bounds{};
  GetWindowRect(ComboBox1, &bounds);
  return bounds.bottom - bounds.top;
}

void TKVMain::Show(int showCommand) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  SetFocus(ComboBox1);
  // Said once the window stands, so the message has its owner to stand by.
  ShowRefused(std::exchange(refusedAtStart_, {}));
}

bool TKVMain::PreTranslateMessage(MSG& message) {
  if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  if (TranslateAcceleratorA(hwnd_, accelerators_.Get(), &message)) return true;
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam == VK_TAB && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU)) {
    HWND focus = GetFocus();
    while (focus && GetParent(focus) != hwnd_) focus = GetParent(focus);
    HWND next = GetNextDlgTabItem(hwnd_, focus, KeyDown(VK_SHIFT));
    if (next) {
      SetFocus(next);
      if (next == ComboBox1) destination_.SelectAll();
    }
    return true;
  }
  if (message.wParam == VK_RETURN && IsButton(message.hwnd)) {
    PostMessageA(message.hwnd, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

LRESULT CALLBACK TKVMain::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TKVMain* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<TKVMain*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TKVMain*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return Guarded(
      hwnd, [&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0});
}

LRESULT TKVMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_SIZE: FormResize(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_COPYDATA: return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kMsgHandOff: TakeHandOffs(); return 0;
    case kMsgSelectText: destination_.SelectAll(); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam)); return 0;
    case WM_SETFOCUS: SetFocus(lastFocus_ ? lastFocus_ : ComboBox1); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    default: return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}

WNDPROC TKVMain::Subclass(HWND control) {
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));
}

LRESULT CALLBACK TKVMain::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TKVMain*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  return Guarded(
      self->hwnd_, [&] { return self->HandleControlMessage(hwnd, message, wParam, lParam); },
      LRESULT{0});
}

bool TKVMain::DropDownTakes(unsigned key) const {
  // With its drop-down open, Enter and Escape choose or dismiss a line of
  // the history, as in every such box, rather than copy or close.
  return (key == kVkReturn || key == kVkEscape) &&
         SendMessageA(ComboBox1, CB_GETDROPPEDSTATE, 0, 0);
}

LRESULT TKVMain::HandleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto key = static_cast<unsigned>(wParam);
  if (message == WM_KEYDOWN && control == ListBox1) ListBox1KeyDown(key);
  if (message == WM_KEYDOWN && control == comboEdit_ && !DropDownTakes(key)) {
    ComboBox1KeyDown(key);
    // Keys the box acts on end here; a single-line edit would only beep.
    if (DecideBoxKey(key, false) != BoxKeyAction::None) return 0;
  }
  if (message == WM_CHAR && control == comboEdit_ &&
      (key == '\r' || key == '\n' || key == 0x1B) && !DropDownTakes(key == '\n' ? kVkReturn : key)) {
    return 0;
  }
  return CallWindowProcA(control == ListBox1 ? listBoxProc_ : comboEditProc_, control, message,
                         wParam, lParam);
}

void TKVMain::OnCommand(WORD id, WORD code, HWND control) {
  if (!control) {
    if (const auto command = CommandForMenuId(id)) RunMenuCommand(*command);
    return;
  }
  switch (id) {
    case kIdButCopy: if (code == BN_CLICKED) ButCopyClick(); break;
    case kIdButMove: if (code == BN_CLICKED) ButMoveClick(); break;
    case kIdButDel: if (code == BN_CLICKED) ButDelClick(); break;
    case kIdButQuit: if (code == BN_CLICKED) Quit1Click(); break;
    case kIdListBox1:
      if (code == LBN_SELCHANGE) ListBox1Click();
      if (code == LBN_DBLCLK) ListBox1DblClick();
      break;
    case kIdComboBox1: if (code == CBN_SELCHANGE) ComboBox1Click(); break;
    default: break;
  }
}

void TKVMain::RunMenuCommand(Command command) {
  switch (command) {
    case Command::New: New1Click(); break;
    case Command::Mkdir: Mkdir1Click(); break;
    case Command::Rename: Rename1Click(); break;
    case Command::Timestamp: timestamp1Click(); break;
    case Command::AddStartmenu: AddStartmenu1Click(); break;
    case Command::StayOnTop: StayOnTop1Click(); break;
    case Command::Quit: Quit1Click(); break;
    case Command::Scandisk: Scandisk1Click(); break;
    case Command::Defrag: Defrag1Click(); break;
    case Command::Readme: Readme1Click(); break;
    case Command::None: break;
  }
}

void TKVMain::OnClose() {
  // Settings that cannot be saved are reported, and the window closes anyway.
  Guarded(hwnd_, [this] { FormClose(); return 0; }, 0);
  DestroyWindow(hwnd_);
}

void TKVMain::Close() { PostMessageA(hwnd_, WM_CLOSE, 0, 0); }

BOOL TKVMain::OnCopyData(const COPYDATASTRUCT* data) {
  if (!data || data->dwData != kWmDropFiles || !data->lpData) return FALSE;
  const auto paths = ParseDropBlock(
      std::span<const unsigned char>(static_cast<const unsigned char*>(data->lpData), data->cbData));
  if (!paths) return FALSE;
  // Taken after the sender is released, in the order the hand-offs came.
  handOffs_.push_back(*paths);
  PostMessageA(hwnd_, kMsgHandOff, 0, 0);
  return TRUE;
}

void TKVMain::TakeHandOffs() {
  while (!handOffs_.empty()) {
    const LineList paths = std::move(handOffs_.front());
    handOffs_.pop_front();
    TakeDrop(ArrivedPaths(paths.begin(), paths.end()));
  }
}

void TKVMain::TakeDrop(const ArrivedPaths& paths) {
  IntakePorts ports{items_, destination_, fs_, shortcuts_, keys_, cp_};
  TakeDroppedPaths(paths, ports);
}

void TKVMain::ShowRefused(const std::vector<std::wstring>& refused) {
  if (refused.empty()) return;
  // The wide box, so the name shows as it is, not as the code page would
  // spell it.
  MessageBoxW(hwnd_, RefusedPathsMessage(refused).c_str(), L"kavri", MB_OK | MB_ICONSTOP);
}

void TKVMain::OnDropFiles(HDROP drop) {
  // Read by kavri itself after checking it: a handle that another program
  // posted may name nothing, or memory that is no drop list.
  const SIZE_T size = GlobalSize(drop);
  if (size == 0) return;  // no memory of this process: nothing to read or free
  std::optional<DropFilesPaths> dropped;
  {
    GlobalLockScope lock(drop);
    if (lock) dropped = ParseDropFiles(std::span<const unsigned char>(lock.Data(), size));
  }
  // The drop is this window's to release, read or not; that is all
  // DragFinish does, and the shell's library is not loaded for it.
  GlobalFree(drop);
  if (!dropped) return;
  std::vector<std::wstring> paths;
  paths.reserve(dropped->wide ? dropped->widePaths.size() : dropped->narrowPaths.size());
  for (const std::u16string& path : dropped->widePaths) paths.emplace_back(path.begin(), path.end());
  for (const std::string& path : dropped->narrowPaths) paths.push_back(ToWide(path));
  const ConvertedPaths converted = ConvertArrivedPaths(paths, converter_);
  TakeDrop(converted.paths);
  ShowRefused(converted.refused);
}

void TKVMain::OnActivate(WORD state) {
  if (state == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
  } else {
    SetFocus(lastFocus_ ? lastFocus_ : ComboBox1);
  }
}

void TKVMain::OnDpiChanged(UINT dpi, const RECT& suggested) {
  ApplyDpi(dpi);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TKVMain::FormResize() {
  if (!ListBox1) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int dpi = static_cast<int>(dpi_);
  FitComboHeight();
  const FormLayout layout = ComputeLayout(client.right, client.bottom, ComboHeight(),
                                          ScaleForDpi(kButCopyDesign.height, dpi));
  Place(ListBox1, layout.listBox1);
  Place(ComboBox1, layout.comboBox1, ScaleForDpi(kItemHeight * kDropDownLines + 2, dpi));
  FitComboHeight();
  Place(ButCopy, layout.butCopy);
  Place(ButMove, layout.butMove);
  Place(ButDel, layout.butDel);
  Place(ButQuit, layout.butQuit);
}

TransferContext TKVMain::Transfers() {
  return {items_,     destination_, dialogs_, shortcuts_, {fs_, oem_, scripts_, cp_},
          ExeDir,     DesktopDir,   BatPath};
}

void TKVMain::ButCopyClick() {
  TransferContext context = Transfers();
  RunTransfer(TransferKind::Copy, context);
}

void TKVMain::ButMoveClick() {
  TransferContext context = Transfers();
  RunTransfer(TransferKind::Move, context);
}

void TKVMain::ListBox1KeyDown(unsigned key) { ListKeyDown(key, items_); }

void TKVMain::ButDelClick() {
  TransferContext context = Transfers();
  DeleteAll(context);
}

void TKVMain::New1Click() { ClearListAndBox(items_, destination_); }

void TKVMain::ListBox1DblClick() { OpenCurrentItem(items_, launcher_); }

void TKVMain::Quit1Click() { Close(); }

void TKVMain::AddHistory() { AddHistoryLine(destination_, destination_.Text()); }

void TKVMain::FormClose() { SaveSettings(fs_, IniPath, IniList, destination_, form_); }

void TKVMain::Scandisk1Click() { launcher_.Run(kScandiskCommand); }

void TKVMain::Defrag1Click() { launcher_.Run(kDefragCommand); }

void TKVMain::ComboBox1KeyDown(unsigned key) {
  switch (DecideBoxKey(key, KeyDown(VK_SHIFT))) {
    case BoxKeyAction::Copy: ButCopyClick(); break;
    case BoxKeyAction::Move: ButMoveClick(); break;
    case BoxKeyAction::Close: Close(); break;
    case BoxKeyAction::CutToFolder: CutDestinationToFolder(destination_, cp_); break;
    case BoxKeyAction::Explore: ExploreDestination(destination_, launcher_); break;
    case BoxKeyAction::None: break;
  }
}

void TKVMain::Mkdir1Click() {
  if (MakeFolderFromBox(destination_, fs_, dialogs_)) Close();
}

void TKVMain::Rename1Click() { RenameCurrentItem(items_, destination_, fs_, dialogs_); }

void TKVMain::ComboBox1Click() {
  // The box puts the chosen line into its edit after this notification.
  PostMessageA(hwnd_, kMsgSelectText, 0, 0);
}

void TKVMain::AddStartmenu1Click() {
  if (const auto caption = SwitchShellEntry(registry_, dialogs_, exePath_)) {
    AddStartmenu1.SetCaption(*caption);
  }
}

void TKVMain::StayOnTop1Click() { form_.SetStayOnTop(!form_.StayOnTop()); }

void TKVMain::timestamp1Click() {
  if (StampListedFiles(items_, destination_, stamper_, SystemDateFormat(), LocalNow()) ==
      TimestampOutcome::Stamped) {
    Close();
  }
}

void TKVMain::ListBox1Click() { BringCurrentItemToBox(items_, destination_); }

void TKVMain::Readme1Click() { launcher_.Run(ReadmeCommand(ExeDir)); }

}  // namespace kavri
