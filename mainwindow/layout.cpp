#include "mainwindow/layout.h"

#include <algorithm>

#include "mainwindow/design.h"

namespace kavri {

FormLayout ComputeLayout(int clientWidth, int clientHeight, int comboHeight, int buttonHeight) {
  const int listHeight = std::max(0, clientHeight - comboHeight - buttonHeight);
  const int slot = clientWidth / 5;
  const int buttonTop = clientHeight - buttonHeight;
  FormLayout layout{};
  layout.listBox1 = {0, 0, clientWidth, listHeight};
  layout.comboBox1 = {0, listHeight, clientWidth, comboHeight};
  layout.butCopy = {0, buttonTop, slot, buttonHeight};
  layout.butMove = {slot, buttonTop, slot, buttonHeight};
  layout.butDel = {2 * slot, buttonTop, slot, buttonHeight};
  layout.butQuit = {4 * slot, buttonTop, slot, buttonHeight};
  return layout;
}

int ScaleForDpi(int value, int dpi) {
  // Rounded to nearest, as the system scales its own metrics.
  const long long scaled = static_cast<long long>(value) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi
                                      : -((-scaled + half) / kDesignDpi));
}

}  // namespace kavri
