#pragma once

#include <windows.h>

#include "platform/ports/destination_box.h"
#include "platform/ports/item_list.h"

namespace kavri {

// ListBox1 through its messages.
class ListBoxItems final : public ItemList {
 public:
  explicit ListBoxItems(HWND listBox) : listBox_(listBox) {}

  int Count() const override;
  std::string Line(int index) const override;
  LineList Lines() const override;
  int Current() const override;
  std::vector<int> SelectedIndices() const override;

  void Append(const std::string& line) override;
  void SetLine(int index, const std::string& line) override;
  void RemoveAt(int index) override;
  void ReplaceAll(const LineList& lines) override;
  void Clear() override;

  void BeginUpdate() override;
  void EndUpdate() override;

 private:
  void Insert(int index, const std::string& line);

  HWND listBox_;
  int updateDepth_ = 0;
};

// ComboBox1 through its messages.
class ComboBoxDestination final : public DestinationBox {
 public:
  explicit ComboBoxDestination(HWND comboBox) : comboBox_(comboBox) {}

  std::string Text() const override;
  void SetText(const std::string& text) override;
  void SelectAll() override;

  int HistoryCount() const override;
  std::string HistoryLine(int index) const override;
  void InsertHistory(int index, const std::string& line) override;
  void AppendHistory(const std::string& line) override;

 private:
  HWND comboBox_;
};

}  // namespace kavri
