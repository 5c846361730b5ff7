#pragma once

#include <string>

namespace kavri {

// ComboBox1 as the handlers see it: its edit text is the destination text,
// its drop-down lines are the history.
class DestinationBox {
 public:
  virtual ~DestinationBox() = default;

  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void SelectAll() = 0;

  virtual int HistoryCount() const = 0;
  virtual std::string HistoryLine(int index) const = 0;
  virtual void InsertHistory(int index, const std::string& line) = 0;
  virtual void AppendHistory(const std::string& line) = 0;
};

}  // namespace kavri
