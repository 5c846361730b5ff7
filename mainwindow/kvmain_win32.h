#pragma once

#include <windows.h>
#include <shellapi.h>

#include <deque>
#include <string>
#include <vector>

#include "mainwindow/controls_win32.h"
#include "mainwindow/form_window_win32.h"
#include "mainwindow/design.h"
#include "mainwindow/intake.h"
#include "mainwindow/menu_win32.h"
#include "platform/code_page.h"
#include "platform/line_list.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/file_stamper.h"
#include "platform/win32/file_system.h"
#include "platform/win32/launcher.h"
#include "platform/win32/oem_converter.h"
#include "platform/win32/path_converter.h"
#include "platform/win32/handles.h"
#include "platform/win32/registry.h"
#include "scmake/scmake_win32.h"
#include "transfer/script_runner_win32.h"
#include "transfer/transfer_commands.h"

namespace kavri {

// The main window: the item list, the destination box with its history, the
// four buttons and the menu. Every command is one of its handlers; each
// handler hands its decisions to the rules and keeps only the Win32 work.
class TKVMain {
 public:
  explicit TKVMain(HINSTANCE instance);
  ~TKVMain();
  TKVMain(const TKVMain&) = delete;
  TKVMain& operator=(const TKVMain&) = delete;

  // Builds the window and its controls and runs the construction steps.
  // Throws Error; the caller shows it and ends.
  void Construct(const std::vector<std::wstring>& arguments);
  void Show(int showCommand);
  HWND Handle() const { return hwnd_; }

  // Keys the window serves before the focused control sees them: menu
  // shortcuts, Tab between the controls, Enter on a focused button.
  bool PreTranslateMessage(MSG& message);

  // Handlers, named after their control and event.
  void ButCopyClick();
  void ButMoveClick();
  void ListBox1KeyDown(unsigned key);
  void ButDelClick();
  void FormResize();
  void New1Click();
  void ListBox1DblClick();
  void Quit1Click();
  void AddHistory();
  void FormClose();
  void Scandisk1Click();
  void Defrag1Click();
  void ComboBox1KeyDown(unsigned key);
  void Mkdir1Click();
  void Rename1Click();
  void ComboBox1Click();
  void AddStartmenu1Click();
  void StayOnTop1Click();
  void timestamp1Click();
  void ListBox1Click();
  void Readme1Click();
  void OnDropFiles(HDROP drop);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  WNDPROC Subclass(HWND control);
  bool DropDownTakes(unsigned key) const;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

  void RegisterWindowClass();
  void CreateControls();
  void ApplyDpi(UINT dpi);
  HWND CreateChild(const char* className, const ControlDesign& design, DWORD style,
                   DWORD exStyle, int id);
  void OnCommand(WORD id, WORD code, HWND control);
  void RunMenuCommand(Command command);
  void OnClose();
  BOOL OnCopyData(const COPYDATASTRUCT* data);
  void TakeHandOffs();
  void TakeDrop(const ArrivedPaths& paths);
  void ShowRefused(const std::vector<std::wstring>& refused);
  void OnActivate(WORD state);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void Close();
  int ComboHeight() const;
  TransferContext Transfers();
  void FitComboHeight();

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  CodePage cp_;
  Font font_;
  AcceleratorTable accelerators_;
  HWND comboEdit_ = nullptr;
  WNDPROC listBoxProc_ = nullptr;
  WNDPROC comboEditProc_ = nullptr;
  int comboField_ = 0;
  HWND lastFocus_ = nullptr;
  std::deque<LineList> handOffs_;
  std::vector<std::wstring> refusedAtStart_;

  // Published fields.
  HWND ListBox1 = nullptr;
  HWND ButCopy = nullptr;
  HWND ButMove = nullptr;
  HWND ButDel = nullptr;
  HMENU MainMenu1 = nullptr;
  HWND ComboBox1 = nullptr;
  MenuItem AddStartmenu1;
  MenuItem StayOnTop1;
  HWND ButQuit = nullptr;
  TSCMake SCMake1;

  ListBoxItems items_{nullptr};
  ComboBoxDestination destination_{nullptr};
  MessageBoxDialogs dialogs_{nullptr};
  Win32Registry registry_;
  Win32FileSystem fs_;
  Win32Launcher launcher_;
  Win32FileStamper stamper_;
  Win32OemConverter oem_;
  ProcessScriptRunner scripts_;
  SCMakeShortcutReader shortcuts_{SCMake1};
  Win32PathConverter converter_;
  Win32KeyState keys_;
  std::string exePath_;
  MainFormWindow form_;
};

}  // namespace kavri
