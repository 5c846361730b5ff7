#pragma once

namespace kavri {

struct Bounds {
  int left;
  int top;
  int width;
  int height;
  bool operator==(const Bounds&) const = default;
};

struct FormLayout {
  Bounds listBox1;
  Bounds comboBox1;
  Bounds butCopy;
  Bounds butMove;
  Bounds butDel;
  Bounds butQuit;
};

// Places the controls in a client area of width w and height h. The client
// width is five slots; the fourth stays empty so Quit stands apart.
FormLayout ComputeLayout(int clientWidth, int clientHeight, int comboHeight, int buttonHeight);

// A design value at another pixel density.
int ScaleForDpi(int value, int dpi);

}  // namespace kavri
