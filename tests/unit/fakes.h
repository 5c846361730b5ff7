#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/ports/destination_box.h"
#include "platform/error.h"
#include "platform/ports/dialogs.h"
#include "platform/ports/file_stamper.h"
#include "platform/ports/file_system.h"
#include "platform/ports/form_window.h"
#include "platform/ports/oem_converter.h"
#include "platform/ports/script_runner.h"
#include "platform/ports/shortcut_reader.h"
#include "platform/ports/item_list.h"
#include "platform/ports/key_state.h"
#include "platform/ports/path_converter.h"
#include "platform/ports/launcher.h"
#include "platform/ports/registry.h"

namespace kavri::testing {

// The item list as plain data, with the selection and the focused line.
class FakeItemList : public ItemList {
 public:
  FakeItemList() = default;
  explicit FakeItemList(LineList lines) : lines_(std::move(lines)), selected_(lines_.size()) {}

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Line(int index) const override { return lines_.at(static_cast<std::size_t>(index)); }
  LineList Lines() const override { return lines_; }
  int Current() const override { return lines_.empty() ? -1 : current_; }
  std::vector<int> SelectedIndices() const override {
    std::vector<int> indices;
    for (std::size_t i = 0; i < selected_.size(); ++i) {
      if (selected_[i]) indices.push_back(static_cast<int>(i));
    }
    return indices;
  }

  void Append(const std::string& line) override {
    lines_.push_back(line);
    selected_.push_back(false);
  }
  void SetLine(int index, const std::string& line) override {
    lines_.at(static_cast<std::size_t>(index)) = line;
  }
  void RemoveAt(int index) override {
    lines_.erase(lines_.begin() + index);
    selected_.erase(selected_.begin() + index);
    ++removals;
  }
  void ReplaceAll(const LineList& lines) override {
    lines_ = lines;
    selected_.assign(lines_.size(), false);
    ++rebuilds;
  }
  void Clear() override {
    lines_.clear();
    selected_.clear();
  }
  void BeginUpdate() override { ++updateDepth; }
  void EndUpdate() override { --updateDepth; }

  void Select(int index) { selected_.at(static_cast<std::size_t>(index)) = true; }
  void SetCurrent(int index) { current_ = index; }

  int removals = 0;
  int rebuilds = 0;
  int updateDepth = 0;

 private:
  LineList lines_;
  std::vector<bool> selected_;
  int current_ = 0;
};

class FakeDestinationBox : public DestinationBox {
 public:
  std::string Text() const override { return text; }
  void SetText(const std::string& value) override {
    text = value;
    allSelected = false;
  }
  void SelectAll() override { allSelected = true; }
  int HistoryCount() const override { return static_cast<int>(history.size()); }
  std::string HistoryLine(int index) const override {
    return history.at(static_cast<std::size_t>(index));
  }
  void InsertHistory(int index, const std::string& line) override {
    history.insert(history.begin() + index, line);
  }
  void AppendHistory(const std::string& line) override { history.push_back(line); }

  std::string text;
  bool allSelected = false;
  LineList history;
};

// Answers message boxes from a script of results and records what was shown.
class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    unsigned flags;
    bool operator==(const Shown&) const = default;
  };

  int Show(std::string_view text, std::string_view caption, unsigned flags) override {
    shown.push_back({std::string(text), std::string(caption), flags});
    if (whileShown) whileShown();
    if (answers.empty()) return kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<int> answers;
  std::vector<Shown> shown;
  std::function<void()> whileShown;  // what happens while the box is up
};

class FakeRegistry : public Registry {
 public:
  using Key = std::pair<RegistryRoot, std::string>;

  bool KeyExists(RegistryRoot root, std::string_view key) override {
    return keys.count({root, std::string(key)}) != 0;
  }
  std::optional<std::string> ReadText(RegistryRoot root, std::string_view key,
                                      std::string_view name) override {
    const auto found = values.find({{root, std::string(key)}, std::string(name)});
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void WriteDefault(RegistryRoot root, std::string_view key, std::string_view value) override {
    std::string path(key);
    for (std::size_t pos = path.find('\\'); pos != std::string::npos; pos = path.find('\\', pos + 1)) {
      keys.insert({root, path.substr(0, pos)});
    }
    keys.insert({root, path});
    values[{{root, path}, ""}] = std::string(value);
  }
  bool DeleteTree(RegistryRoot root, std::string_view key) override {
    const std::string prefix(key);
    std::erase_if(keys, [&](const Key& k) {
      return k.first == root && (k.second == prefix || k.second.rfind(prefix + "\\", 0) == 0);
    });
    std::erase_if(values, [&](const auto& v) {
      const Key& k = v.first.first;
      return k.first == root && (k.second == prefix || k.second.rfind(prefix + "\\", 0) == 0);
    });
    return true;
  }

  std::set<Key> keys;
  std::map<std::pair<Key, std::string>, std::string> values;
};

// Folders and files in memory, with the failures a test asks for.
class FakeFileSystem : public FileSystem {
 public:
  // Like the system, a folder is found with or without a final backslash.
  bool IsFolder(const std::string& path) override {
    if (folders.count(path)) return true;
    return path.size() > 1 && path.back() == '\\' && folders.count(path.substr(0, path.size() - 1));
  }
  bool IsFile(const std::string& path) override { return files.count(path) != 0; }
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (unreadable.count(path)) throw Error("Cannot open file \"" + path + "\"");
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  void WriteFile(const std::string& path, std::string_view bytes) override {
    if (readOnly.count(path)) throw Error("Cannot create file \"" + path + "\"");
    files[path] = std::string(bytes);
    written.push_back(path);
  }
  void ReplaceContents(const std::string& path, std::string_view bytes) override {
    WriteFile(path, bytes);
  }
  bool Move(const std::string& from, const std::string& to) override {
    if (to.empty() || (!files.count(from) && !folders.count(from))) return false;
    if (files.count(to) || folders.count(to)) return false;
    if (folders.erase(from)) {
      folders.insert(to);
    } else {
      files[to] = files[from];
      files.erase(from);
    }
    return true;
  }
  bool MakeFolder(const std::string& path) override {
    if (path.empty() || folders.count(path) || files.count(path)) return false;
    const auto slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 2 && !folders.count(path.substr(0, slash))) {
      return false;
    }
    folders.insert(path);
    return true;
  }

  std::set<std::string> folders;
  std::map<std::string, std::string> files;
  std::set<std::string> readOnly;
  std::set<std::string> unreadable;
  std::vector<std::string> written;
};

// A slice of 1252 to 437: ASCII stays, é and ü move, € has no OEM form.
class FakeOemConverter : public OemConverter {
 public:
  std::optional<std::string> FromAnsi(std::string_view ansi) override {
    ++calls;
    if (samePages) return std::string(ansi);
    std::string oem;
    for (char c : ansi) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80) {
        oem += c;
      } else if (b == 0xE9) {
        oem += '\x82';
      } else if (b == 0xFC) {
        oem += '\x81';
      } else {
        return std::nullopt;
      }
    }
    return oem;
  }
  int calls = 0;
  bool samePages = false;  // as on Japanese systems, where both are 932
};

class FakeScriptRunner : public ScriptRunner {
 public:
  std::set<std::string> RunningScripts() override { return running; }
  void Start(const std::string& scriptPath) override {
    if (failStart) throw Error("Cannot start the script");
    started.push_back(scriptPath);
  }
  std::set<std::string> running;
  std::vector<std::string> started;
  bool failStart = false;
};

class FakeFormWindow : public FormWindow {
 public:
  Bounds GetBounds() override { return bounds; }
  void SetBounds(const Bounds& value) override { bounds = value; }
  bool StayOnTop() override { return onTop; }
  void SetStayOnTop(bool value) override { onTop = value; }
  std::vector<Bounds> ScreenWorkAreas() override { return workAreas; }

  Bounds bounds{232, 98, 194, 283};
  bool onTop = false;
  std::vector<Bounds> workAreas{{0, 0, 1024, 738}};
};

// Shortcuts by path: a target, or none for one that cannot be read.
class FakeShortcutReader : public ShortcutReader {
 public:
  std::optional<std::string> ReadTarget(const std::string& path) override {
    read.push_back(path);
    const auto found = targets.find(path);
    if (found == targets.end()) return std::nullopt;
    return found->second;
  }
  std::map<std::string, std::optional<std::string>> targets;
  std::vector<std::string> read;
};

class FakeLauncher : public Launcher {
 public:
  void Run(const std::string& commandLine) override { ran.push_back(commandLine); }
  void Open(const std::string& path) override { opened.push_back(path); }
  std::vector<std::string> ran;
  std::vector<std::string> opened;
};

class FakeFileStamper : public FileStamper {
 public:
  bool SetLastWriteTime(const std::string& path, DosDateTime local) override {
    if (!stampable.count(path)) return false;
    stamped[path] = local;
    return true;
  }
  std::set<std::string> stampable;
  std::map<std::string, DosDateTime> stamped;
};

class FakeKeyState : public KeyState {
 public:
  bool CtrlDown() override { return ctrl; }
  bool ctrl = false;
};

// ASCII converts; other characters only where a test names their ANSI form.
class FakePathConverter : public PathConverter {
 public:
  std::optional<std::string> Exact(const std::wstring& path) override {
    if (const auto known = exact.find(path); known != exact.end()) return known->second;
    std::string ansi;
    for (wchar_t c : path) {
      if (c > 0x7F) return std::nullopt;
      ansi += static_cast<char>(c);
    }
    return ansi;
  }
  std::optional<std::wstring> ShortForm(const std::wstring& path) override {
    const auto found = shortForms.find(path);
    if (found == shortForms.end()) return std::nullopt;
    return found->second;
  }
  std::map<std::wstring, std::string> exact;
  std::map<std::wstring, std::wstring> shortForms;
};

}  // namespace kavri::testing
