// The drawing interface over a GDI device context, GDI tools and the SB_HORZ scroll bar.
#include "gdi_canvas_win.h"

#include <cwchar>

DrawTool GdiCanvas::Select(DrawTool tool) {
  return static_cast<DrawTool>(SelectObject(dc_, static_cast<HGDIOBJ>(tool)));
}

DrawTool GdiCanvas::NullBrush() { return static_cast<DrawTool>(GetStockObject(NULL_BRUSH)); }

ColorRef GdiCanvas::SetTextColor(ColorRef color) {
  return static_cast<ColorRef>(::SetTextColor(dc_, static_cast<COLORREF>(color)));
}

void GdiCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiCanvas::LineTo(int x, int y) { ::LineTo(dc_, x, y); }

void GdiCanvas::FillRect(const DrawRect& rect, DrawTool brush) {
  const RECT rc{rect.left, rect.top, rect.right, rect.bottom};
  ::FillRect(dc_, &rc, static_cast<HBRUSH>(brush));
}

void GdiCanvas::Ellipse(int left, int top, int right, int bottom) {
  ::Ellipse(dc_, left, top, right, bottom);
}

void GdiCanvas::DrawTextIn(const std::u16string& text, const DrawRect& rect, unsigned flags) {
  RECT rc{rect.left, rect.top, rect.right, rect.bottom};
  // wchar_t is UTF-16 on Windows.
  std::wstring wide(text.begin(), text.end());
  // A device context fills the text's box with its background colour unless told otherwise.
  const bool keepBackground = (flags & dt::kNoBackground) != 0;
  const int mode = keepBackground ? SetBkMode(dc_, TRANSPARENT) : 0;
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rc, flags & ~dt::kNoBackground);
  if (keepBackground) SetBkMode(dc_, mode);
}

int GdiCanvas::TextWidth(const std::u16string& text) {
  SIZE size{};
  const std::wstring wide(text.begin(), text.end());
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

int GdiCanvas::LogPixelsY() {
  return logPixelsY_ > 0 ? logPixelsY_ : GetDeviceCaps(dc_, LOGPIXELSY);
}

LOGFONTW LogFontFor(const FontDesc& font) {
  LOGFONTW lf{};
  if (font.fromSystemFont) {
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  } else {
    lf.lfCharSet = static_cast<BYTE>(font.charSet);
    lf.lfPitchAndFamily = static_cast<BYTE>(font.pitchAndFamily);
  }
  lf.lfHeight = font.height;
  lf.lfWidth = font.width;
  lf.lfWeight = font.weight;
  std::wmemset(lf.lfFaceName, 0, LF_FACESIZE);
  const size_t n = font.face.size() < LF_FACESIZE - 1 ? font.face.size() : LF_FACESIZE - 1;
  for (size_t i = 0; i < n; ++i) lf.lfFaceName[i] = static_cast<wchar_t>(font.face[i]);
  return lf;
}

DrawTool GdiToolFactory::MakePen(const PenDesc& pen) {
  if (pen.width > 1) {
    // A wide pen made by CreatePen draws dots and dashes solid and rounds its ends: a geometric
    // pen keeps the pattern, square ends close a box's corners, flat ends keep the dots apart.
    const LOGBRUSH brush{BS_SOLID, static_cast<COLORREF>(pen.color), 0};
    const DWORD ends = pen.style == PenStyle::Solid ? PS_ENDCAP_SQUARE : PS_ENDCAP_FLAT;
    return static_cast<DrawTool>(ExtCreatePen(
        PS_GEOMETRIC | static_cast<DWORD>(pen.style) | ends | PS_JOIN_MITER,
        static_cast<DWORD>(pen.width), &brush, 0, nullptr));
  }
  LOGPEN lp{};
  lp.lopnStyle = static_cast<UINT>(pen.style);
  lp.lopnWidth.x = pen.width;
  lp.lopnColor = static_cast<COLORREF>(pen.color);
  return static_cast<DrawTool>(CreatePenIndirect(&lp));
}

DrawTool GdiToolFactory::MakeSolidBrush(ColorRef color) {
  return static_cast<DrawTool>(CreateSolidBrush(static_cast<COLORREF>(color)));
}

DrawTool GdiToolFactory::MakeFont(const FontDesc& font) {
  const LOGFONTW lf = LogFontFor(font);
  return static_cast<DrawTool>(CreateFontIndirectW(&lf));
}

void GdiToolFactory::DeleteTool(DrawTool tool) {
  if (tool != nullptr) DeleteObject(static_cast<HGDIOBJ>(tool));
}

GdiToolFactory& GdiDrawingTools() {
  static GdiToolFactory factory;
  return factory;
}

bool GdiScrollBar::GetRange(int& nMin, int& nMax, int& nPos) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (!GetScrollInfo(window_, SB_HORZ, &si)) return false;
  nMin = si.nMin;
  nMax = si.nMax;
  nPos = si.nPos;
  return true;
}

bool GdiScrollBar::GetPosition(int& nPos) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_POS;
  if (!GetScrollInfo(window_, SB_HORZ, &si)) return false;
  nPos = si.nPos;
  return true;
}

void GdiScrollBar::SetRangeAndPosition(int nMin, int nMax, int nPos) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS;
  si.nMin = nMin;
  si.nMax = nMax;
  si.nPos = nPos;
  SetScrollInfo(window_, SB_HORZ, &si, TRUE);
}

void GdiScrollBar::SetPosition(int nPos) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_POS;
  si.nPos = nPos;
  SetScrollInfo(window_, SB_HORZ, &si, TRUE);
}
