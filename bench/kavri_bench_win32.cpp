// Measures kavri against yardsticks run side by side in the same process
// and Wine prefix, so each figure is a ratio that holds on a noisy machine.
// Prints one markdown table.
//
//   kavri_bench --kavri=PATH --minimal=PATH --sender=PATH [--runs=N]

#include <windows.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "mainwindow/kvmain_win32.h"
#include "platform/win32/file_system.h"
#include "platform/win32/oem_converter.h"
#include "platform/win32/text.h"
#include "transfer/script.h"

namespace kavri {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

double Time(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return Seconds(Clock::now() - start);
}

struct Row {
  std::string measure;
  std::string kavri;
  std::string yardstick;
  double ratio;
  std::string goal;
  bool met;
};

std::vector<Row> gRows;

// A figure with the given number of decimals and its unit.
std::string Format(double value, int decimals, const char* unit) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit);
  return text;
}

void Add(const std::string& measure, const std::string& kavri, const std::string& yardstick,
         double ratio, double limit, const std::string& goal) {
  gRows.push_back({measure, kavri, yardstick, ratio, goal, ratio <= limit});
}

std::wstring WinePath(std::wstring path) {
  if (!path.empty() && path.front() == L'/') path = L"Z:" + path;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::string TempFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + name + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// Starts nothing: the script is measured up to its file.
class NoRunner final : public ScriptRunner {
 public:
  std::set<std::string> RunningScripts() override { return {}; }
  void Start(const std::string&) override {}
};

LineList Items(const std::string& folder, int count) {
  LineList items;
  items.reserve(static_cast<std::size_t>(count));
  char name[32];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, "file_%06d.txt", i);
    items.push_back(folder + name);
  }
  return items;
}

double ScriptTime(const LineList& items, const std::string& batPath, int runs) {
  Win32FileSystem fs;
  Win32OemConverter oem;
  NoRunner runner;
  const CodePage cp = SystemCodePage();
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    times.push_back(Time([&] {
      WriteAndLaunchScript(TransferKind::Copy, items, "D:\\Backup\\", batPath, {fs, oem, runner, cp});
    }));
  }
  return Median(times);
}

double OneWriteTime(const std::string& bytes, const std::string& path, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    times.push_back(Time([&] {
      HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      DWORD written = 0;
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      CloseHandle(file);
    }));
  }
  return Median(times);
}

void BenchScripts(int runs) {
  const std::string work = TempFolder("kavri-bench-script");
  const std::string batPath = work + "tmp.bat";
  double perSize[2] = {};
  const int sizes[2] = {10000, 100000};
  for (int s = 0; s < 2; ++s) {
    // Items that are not there, as after a move elsewhere: each is classed
    // by asking the file system.
    const LineList items = Items("C:\\kavri-bench-missing\\photos\\", sizes[s]);
    const double script = ScriptTime(items, batPath, runs);
    std::string bytes;
    Win32FileSystem fs;
    bytes = fs.ReadFile(batPath).value_or("");
    const double write = OneWriteTime(bytes, work + "plain.bat", runs);
    perSize[s] = script;
    Add("Script for " + std::to_string(sizes[s]) + " items, built and written",
        Format(script * 1000, 1, "ms"), Format(write * 1000, 1, "ms one write"),
        script / write, 1.5, "<= 1.5x one write");
  }
  Add("Script, 100,000 items against 10,000", Format(perSize[1] * 1000, 1, "ms"),
      Format(perSize[0] * 1000, 1, "ms"), perSize[1] / perSize[0], 12, "<= 12x");
}

HGLOBAL DropHandle(const LineList& paths) {
  std::size_t characters = 1;
  for (const std::string& path : paths) characters += path.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 20 + characters * sizeof(wchar_t));
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  auto* header = reinterpret_cast<DROPFILES*>(bytes);
  header->pFiles = 20;
  header->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(bytes + 20);
  for (const std::string& path : paths) {
    for (char c : path) *text++ = static_cast<unsigned char>(c);
    ++text;
  }
  GlobalUnlock(block);
  return block;
}

void BenchList() {
  double drops[2] = {};
  double deletes[2] = {};
  const int sizes[2] = {10000, 100000};
  for (int s = 0; s < 2; ++s) {
    TKVMain window(GetModuleHandleA(nullptr));
    window.Construct({});
    window.Show(SW_SHOWNOACTIVATE);
    HWND list = FindWindowExA(window.Handle(), nullptr, "ListBox", nullptr);
    const LineList paths = Items("C:\\kavri-bench-drop\\", sizes[s]);
    HGLOBAL drop = DropHandle(paths);
    drops[s] = Time([&] { SendMessageA(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); });
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    SendMessageA(list, LB_SETSEL, TRUE, -1);
    deletes[s] = Time([&] { SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0); });
    const LRESULT left = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count != sizes[s] || left != 0) {
      std::printf("list bench: %ld listed, %ld left\n", static_cast<long>(count),
                  static_cast<long>(left));
    }
  }
  Add("List box: 100,000 dropped paths taken in", Format(drops[1], 2, "s"), "1 s",
      drops[1], 1, "< 1 s");
  Add("List box: 100,000 selected lines deleted", Format(deletes[1], 2, "s"), "1 s",
      deletes[1], 1, "< 1 s");
  Add("List box: drop of 100,000 against 10,000", Format(drops[1], 3, "s"),
      Format(drops[0], 3, "s"), drops[1] / drops[0], 15, "<= 15x");
  Add("List box: delete of 100,000 against 10,000", Format(deletes[1], 3, "s"),
      Format(deletes[0], 3, "s"), deletes[1] / std::max(deletes[0], 1e-6), 15, "<= 15x");
}

struct Started {
  PROCESS_INFORMATION info{};
  bool ok = false;
};

Started Start(const std::wstring& exe, const std::wstring& arguments) {
  Started started;
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  started.ok = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &started.info) != FALSE;
  return started;
}

void Stop(Started& started) {
  TerminateProcess(started.info.hProcess, 0);
  WaitForSingleObject(started.info.hProcess, 5000);
  CloseHandle(started.info.hProcess);
  CloseHandle(started.info.hThread);
}

HWND VisibleWindowOf(DWORD pid, const wchar_t* className) {
  for (HWND window = FindWindowW(className, nullptr); window;
       window = FindWindowExW(nullptr, window, className, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

struct StartFigures {
  double seconds;
  SIZE_T peakWorkingSet;
};

StartFigures TimeToWindow(const std::wstring& exe, const wchar_t* className) {
  const auto start = Clock::now();
  Started started = Start(exe, L"");
  HWND window = nullptr;
  while (started.ok && !(window = VisibleWindowOf(started.info.dwProcessId, className)) &&
         Clock::now() - start < std::chrono::seconds(20)) {
    Sleep(1);
  }
  const double seconds = Seconds(Clock::now() - start);
  Sleep(300);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(started.info.hProcess, &memory, sizeof(memory));
  Stop(started);
  return {window ? seconds : 0, memory.PeakWorkingSetSize};
}

void BenchStartAndSize(const std::wstring& kavri, const std::wstring& minimal,
                       const std::wstring& sender, int runs) {
  std::vector<double> kavriTimes, minimalTimes;
  std::vector<double> kavriMemory, minimalMemory;
  for (int i = 0; i < runs; ++i) {
    const StartFigures k = TimeToWindow(kavri, L"TKVMain");
    const StartFigures m = TimeToWindow(minimal, L"MinimalWindow");
    kavriTimes.push_back(k.seconds);
    minimalTimes.push_back(m.seconds);
    kavriMemory.push_back(static_cast<double>(k.peakWorkingSet));
    minimalMemory.push_back(static_cast<double>(m.peakWorkingSet));
  }
  const double kt = Median(kavriTimes), mt = Median(minimalTimes);
  Add("Start-up to a visible window", Format(kt * 1000, 0, "ms"),
      Format(mt * 1000, 0, "ms minimal window"), kt / mt, 1.2, "<= 1.2x");
  const double km = Median(kavriMemory), mm = Median(minimalMemory);
  Add("Peak working set", Format(km / 1048576, 1, "MB"), Format(mm / 1048576, 1, "MB"),
      km / mm, 1.3, "<= 1.3x");

  // The hand-off: a running kavri, and second starts against a program that
  // only finds it and sends one message.
  Started running = Start(kavri, L"");
  const auto wait = Clock::now();
  HWND window = nullptr;
  while (!(window = VisibleWindowOf(running.info.dwProcessId, L"TKVMain")) &&
         Clock::now() - wait < std::chrono::seconds(20)) {
    Sleep(1);
  }
  HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
  std::vector<double> handOffs, sends;
  for (int i = 0; i < runs; ++i) {
    const LRESULT before = SendMessageW(list, LB_GETCOUNT, 0, 0);
    const auto start = Clock::now();
    Started second = Start(kavri, L"C:\\handed\\" + std::to_wstring(i) + L".txt");
    while (SendMessageW(list, LB_GETCOUNT, 0, 0) == before &&
           Clock::now() - start < std::chrono::seconds(20)) {
      Sleep(1);
    }
    handOffs.push_back(Seconds(Clock::now() - start));
    WaitForSingleObject(second.info.hProcess, 10000);
    CloseHandle(second.info.hProcess);
    CloseHandle(second.info.hThread);
    sends.push_back(Time([&] {
      Started minimalSend = Start(sender, L"");
      WaitForSingleObject(minimalSend.info.hProcess, 10000);
      CloseHandle(minimalSend.info.hProcess);
      CloseHandle(minimalSend.info.hThread);
    }));
  }
  Stop(running);
  const double ht = Median(handOffs), st = Median(sends);
  Add("Second start: process start to the path in the list", Format(ht * 1000, 0, "ms"),
      Format(st * 1000, 0, "ms find and send"), ht / st, 1.2, "<= 1.2x");

  auto sizeOf = [](const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return static_cast<double>(data.nFileSizeLow);
  };
  const double ks = sizeOf(kavri), ms = sizeOf(minimal);
  Add("kavri.exe size (x86_64, stripped)", Format(ks / 1024, 0, "KB"),
      Format(ms / 1024, 0, "KB minimal window"), ks / ms, 1.6, "<= 1.6x");
}

}  // namespace
}  // namespace kavri

int wmain(int argc, wchar_t** argv) {
  std::wstring kavriExe, minimalExe, senderExe;
  int runs = 7;
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument.rfind(L"--kavri=", 0) == 0) kavriExe = kavri::WinePath(argument.substr(8));
    if (argument.rfind(L"--minimal=", 0) == 0) minimalExe = kavri::WinePath(argument.substr(10));
    if (argument.rfind(L"--sender=", 0) == 0) senderExe = kavri::WinePath(argument.substr(9));
    if (argument.rfind(L"--runs=", 0) == 0) runs = std::max(1, _wtoi(argument.c_str() + 7));
  }
  if (kavriExe.empty() || minimalExe.empty() || senderExe.empty()) {
    std::fputs("usage: kavri_bench --kavri=PATH --minimal=PATH --sender=PATH [--runs=N]\n", stderr);
    return 2;
  }
  kavri::BenchScripts(runs);
  kavri::BenchList();
  kavri::BenchStartAndSize(kavriExe, minimalExe, senderExe, runs);

  std::printf("| Measure | kavri | Yardstick | Ratio | Goal | Met |\n");
  std::printf("|---|---|---|---|---|---|\n");
  for (const kavri::Row& row : kavri::gRows) {
    std::printf("| %s | %s | %s | %.2f | %s | %s |\n", row.measure.c_str(), row.kavri.c_str(),
                row.yardstick.c_str(), row.ratio, row.goal.c_str(), row.met ? "yes" : "no");
  }
  return 0;
}
