#pragma once

#include <string>
#include <vector>

#include "platform/line_list.h"

namespace kavri {

// The item list as the handlers see it: the lines of ListBox1, each a full
// path, in the order they were added. The current item is the focused line.
class ItemList {
 public:
  virtual ~ItemList() = default;

  virtual int Count() const = 0;
  virtual std::string Line(int index) const = 0;
  virtual LineList Lines() const = 0;
  virtual int Current() const = 0;  // -1 when there is none
  virtual std::vector<int> SelectedIndices() const = 0;

  virtual void Append(const std::string& line) = 0;
  virtual void SetLine(int index, const std::string& line) = 0;
  virtual void RemoveAt(int index) = 0;
  virtual void ReplaceAll(const LineList& lines) = 0;
  virtual void Clear() = 0;

  // Bulk changes between these two are not redrawn line by line.
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
};

class ItemListUpdate {
 public:
  explicit ItemListUpdate(ItemList& list) : list_(list) { list_.BeginUpdate(); }
  ~ItemListUpdate() { list_.EndUpdate(); }
  ItemListUpdate(const ItemListUpdate&) = delete;
  ItemListUpdate& operator=(const ItemListUpdate&) = delete;

 private:
  ItemList& list_;
};

}  // namespace kavri
