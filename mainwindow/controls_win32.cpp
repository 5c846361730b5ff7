#include "mainwindow/controls_win32.h"

#include "platform/decimal_text.h"
#include "platform/error.h"

namespace kavri {
namespace {

void CheckAdded(LRESULT result) {
  if (result == LB_ERR || result == LB_ERRSPACE) throw Error("Out of memory for the list");
}

}  // namespace

int ListBoxItems::Count() const {
  return static_cast<int>(SendMessageA(listBox_, LB_GETCOUNT, 0, 0));
}

std::string ListBoxItems::Line(int index) const {
  const LRESULT length = SendMessageA(listBox_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) throw Error("List index out of bounds (" + DecimalText(index) + ")");
  std::string line(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(listBox_, LB_GETTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(line.data()));
  line.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return line;
}

LineList ListBoxItems::Lines() const {
  const int count = Count();
  LineList lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) lines.push_back(Line(i));
  return lines;
}

int ListBoxItems::Current() const {
  if (Count() == 0) return -1;
  const LRESULT caret = SendMessageA(listBox_, LB_GETCARETINDEX, 0, 0);
  return caret == LB_ERR ? -1 : static_cast<int>(caret);
}

std::vector<int> ListBoxItems::SelectedIndices() const {
  const LRESULT count = SendMessageA(listBox_, LB_GETSELCOUNT, 0, 0);
  if (count == LB_ERR || count <= 0) return {};
  std::vector<int> indices(static_cast<std::size_t>(count));
  const LRESULT got = SendMessageA(listBox_, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                   reinterpret_cast<LPARAM>(indices.data()));
  indices.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return indices;
}

void ListBoxItems::Append(const std::string& line) {
  CheckAdded(SendMessageA(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str())));
}

void ListBoxItems::Insert(int index, const std::string& line) {
  CheckAdded(SendMessageA(listBox_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(line.c_str())));
}

void ListBoxItems::SetLine(int index, const std::string& line) {
  const bool wasCaret = Current() == index;
  const bool wasSelected = SendMessageA(listBox_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
  SendMessageA(listBox_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  Insert(index, line);
  if (wasSelected) SendMessageA(listBox_, LB_SETSEL, TRUE, index);
  if (wasCaret) SendMessageA(listBox_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

void ListBoxItems::RemoveAt(int index) {
  SendMessageA(listBox_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBoxItems::ReplaceAll(const LineList& lines) {
  BeginUpdate();
  const LRESULT top = SendMessageA(listBox_, LB_GETTOPINDEX, 0, 0);
  SendMessageA(listBox_, LB_RESETCONTENT, 0, 0);
  std::size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size() + 1;
  SendMessageA(listBox_, LB_INITSTORAGE, lines.size(), static_cast<LPARAM>(bytes));
  try {
    for (const std::string& line : lines) Append(line);
  } catch (...) {
    EndUpdate();
    throw;
  }
  if (top != LB_ERR) SendMessageA(listBox_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  EndUpdate();
}

void ListBoxItems::Clear() { SendMessageA(listBox_, LB_RESETCONTENT, 0, 0); }

void ListBoxItems::BeginUpdate() {
  if (updateDepth_++ == 0) SendMessageA(listBox_, WM_SETREDRAW, FALSE, 0);
}

void ListBoxItems::EndUpdate() {
  if (updateDepth_ > 0 && --updateDepth_ == 0) {
    SendMessageA(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
  }
}

std::string ComboBoxDestination::Text() const {
  const int length = GetWindowTextLengthA(comboBox_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(comboBox_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void ComboBoxDestination::SetText(const std::string& text) {
  SetWindowTextA(comboBox_, text.c_str());
}

void ComboBoxDestination::SelectAll() {
  SendMessageA(comboBox_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

int ComboBoxDestination::HistoryCount() const {
  return static_cast<int>(SendMessageA(comboBox_, CB_GETCOUNT, 0, 0));
}

std::string ComboBoxDestination::HistoryLine(int index) const {
  const LRESULT length = SendMessageA(comboBox_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) throw Error("List index out of bounds (" + DecimalText(index) + ")");
  std::string line(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(comboBox_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(line.data()));
  line.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return line;
}

void ComboBoxDestination::InsertHistory(int index, const std::string& line) {
  const LRESULT result = SendMessageA(comboBox_, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(line.c_str()));
  if (result == CB_ERR || result == CB_ERRSPACE) throw Error("Out of memory for the history");
}

void ComboBoxDestination::AppendHistory(const std::string& line) {
  const LRESULT result =
      SendMessageA(comboBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  if (result == CB_ERR || result == CB_ERRSPACE) throw Error("Out of memory for the history");
}

}  // namespace kavri
