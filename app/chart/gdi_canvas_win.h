// The GDI side of the drawing interface: a device context as a Canvas, GDI pens/brushes/fonts as
// the tool factory, and the window's SB_HORZ bar as the chart's scroll bar.
//
//   win32::PaintDc dc(hwnd);
//   GdiCanvas canvas(dc.get());
//   DrawChartFrame(view, canvas);
//   DrawChartData(view, canvas);
#pragma once

#include <windows.h>

#include "chart_view.h"
#include "draw_canvas.h"

// Forwards each primitive to GDI one-to-one on the given device context (not owned).
class GdiCanvas : public Canvas {
 public:
  explicit GdiCanvas(HDC dc) : dc_(dc) {}
  // A canvas whose fonts are sized for `logPixelsY` dots per inch whatever the context reports:
  // a memory bitmap standing for a page of that resolution.
  GdiCanvas(HDC dc, int logPixelsY) : dc_(dc), logPixelsY_(logPixelsY) {}
  HDC dc() const { return dc_; }

  DrawTool Select(DrawTool tool) override;
  DrawTool NullBrush() override;
  ColorRef SetTextColor(ColorRef color) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void FillRect(const DrawRect& rect, DrawTool brush) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void DrawTextIn(const std::u16string& text, const DrawRect& rect, unsigned flags) override;
  int TextWidth(const std::u16string& text) override;
  int LogPixelsY() override;

 private:
  HDC dc_;
  int logPixelsY_ = 0;  // 0: the context's own
};

// CreatePenIndirect, CreateSolidBrush, CreateFontIndirectW, DeleteObject.
class GdiToolFactory : public DrawingToolFactory {
 public:
  DrawTool MakePen(const PenDesc& pen) override;
  DrawTool MakeSolidBrush(ColorRef color) override;
  DrawTool MakeFont(const FontDesc& font) override;
  void DeleteTool(DrawTool tool) override;
};

// The one factory of the process (it holds no state).
GdiToolFactory& GdiDrawingTools();

// The LOGFONTW a FontDesc describes (exposed for tests).
LOGFONTW LogFontFor(const FontDesc& font);

// A window's horizontal scroll bar (SB_HORZ).
class GdiScrollBar : public ChartScrollBar {
 public:
  explicit GdiScrollBar(HWND window) : window_(window) {}
  bool GetRange(int& nMin, int& nMax, int& nPos) override;
  bool GetPosition(int& nPos) override;
  void SetRangeAndPosition(int nMin, int nMax, int nPos) override;
  void SetPosition(int nPos) override;

 private:
  HWND window_;
};
