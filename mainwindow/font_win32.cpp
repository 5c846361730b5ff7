#include "mainwindow/font_win32.h"

#include <cwchar>

#include "mainwindow/design.h"
#include "mainwindow/layout.h"

namespace kavri {
namespace {

// ＭＳ Ｐゴシック
constexpr wchar_t kDesignFace[] = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const wchar_t* face) {
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(screen, &query, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace

Font CreateWindowFont(UINT dpi) {
  LOGFONTW font{};
  if (FaceInstalled(kDesignFace)) {
    font.lfCharSet = SHIFTJIS_CHARSET;
    wcsncpy(font.lfFaceName, kDesignFace, LF_FACESIZE - 1);
  } else {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    font = metrics.lfMessageFont;
  }
  font.lfHeight = ScaleForDpi(kFontHeight, static_cast<int>(dpi));
  font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  font.lfItalic = FALSE;
  font.lfUnderline = FALSE;
  font.lfStrikeOut = FALSE;
  return Font(CreateFontIndirectW(&font));
}

}  // namespace kavri
