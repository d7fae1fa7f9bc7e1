// The drawing interface the chart renderers draw through.
//
// The renderers (on-screen chart and printed page) are portable: they draw through `Canvas`, a
// device context seen as the handful of GDI primitives they use, and make their pens, brushes and
// fonts through `DrawingToolFactory` from plain descriptions. On Windows `GdiCanvas` and
// `GdiDrawingTools()` (gdi_canvas_win.h) forward every call one-to-one to GDI; the native tests
// use a recording implementation that lists each operation with its exact arguments.
//
// Every routine that selects a tool or changes the text colour puts back what it replaced before
// it returns, through `ScopedSelect` / `ScopedTextColor` below.
#pragma once

#include <cstdint>
#include <string>

// A colour in COLORREF layout: red in the low byte, then green, then blue.
using ColorRef = std::uint32_t;
constexpr ColorRef MakeRgb(int r, int g, int b) {
  return static_cast<ColorRef>(r & 0xFF) | (static_cast<ColorRef>(g & 0xFF) << 8) |
         (static_cast<ColorRef>(b & 0xFF) << 16);
}

// An opaque pen, brush or font (an HGDIOBJ on Windows). nullptr is "no tool".
using DrawTool = void*;

// A rectangle as GDI takes it: right and bottom are exclusive for fills and text boxes.
struct DrawRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const DrawRect&, const DrawRect&) = default;
};

// Pen styles, with the values of PS_SOLID, PS_DASH and PS_DOT.
enum class PenStyle : int { Solid = 0, Dash = 1, Dot = 2 };

struct PenDesc {
  PenStyle style = PenStyle::Solid;
  int width = 1;
  ColorRef color = 0;
};

// A font. With `fromSystemFont` false the font is a zeroed LOGFONTW filled with these fields;
// with it true the LOGFONTW of the stock SYSTEM_FONT is the start and only height, width, weight
// and face are replaced (charSet and pitchAndFamily are then the system font's and ignored here).
struct FontDesc {
  bool fromSystemFont = false;
  int height = 0;
  int width = 0;
  int weight = 400;
  int charSet = 0;
  int pitchAndFamily = 0;
  std::u16string face;
};

// Text layout flags, with the values of the DT_ constants of DrawTextW.
namespace dt {
constexpr unsigned kTopLeft = 0x0000;     // DT_TOP | DT_LEFT
constexpr unsigned kCenter = 0x0001;      // DT_CENTER
constexpr unsigned kRight = 0x0002;       // DT_RIGHT
constexpr unsigned kVCenter = 0x0004;     // DT_VCENTER
constexpr unsigned kBottom = 0x0008;      // DT_BOTTOM
constexpr unsigned kSingleLine = 0x0020;  // DT_SINGLELINE
constexpr unsigned kEndEllipsis = 0x8000; // DT_END_ELLIPSIS
// Not a DT_ flag: the text's background is left as it is (TRANSPARENT background mode for this
// text only), for text over a filled cell.
constexpr unsigned kNoBackground = 0x80000000;
}  // namespace dt

// Makes and frees pens, brushes and fonts. Needs no device context. (The names avoid the
// Win32 macros CreateFont and DrawText.)
class DrawingToolFactory {
 public:
  virtual ~DrawingToolFactory() = default;
  virtual DrawTool MakePen(const PenDesc& pen) = 0;
  virtual DrawTool MakeSolidBrush(ColorRef color) = 0;
  virtual DrawTool MakeFont(const FontDesc& font) = 0;
  // Ignores nullptr.
  virtual void DeleteTool(DrawTool tool) = 0;
};

// One device context.
class Canvas {
 public:
  virtual ~Canvas() = default;
  // Selects a pen, brush or font; returns the one of the same kind it replaced.
  virtual DrawTool Select(DrawTool tool) = 0;
  // The stock NULL_BRUSH.
  virtual DrawTool NullBrush() = 0;
  // Returns the previous text colour.
  virtual ColorRef SetTextColor(ColorRef color) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void FillRect(const DrawRect& rect, DrawTool brush) = 0;
  // Outline with the selected pen, inside with the selected brush (GDI Ellipse).
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void DrawTextIn(const std::u16string& text, const DrawRect& rect, unsigned flags) = 0;
  // How wide the text is on one line in the selected font (GetTextExtentPoint32W).
  virtual int TextWidth(const std::u16string& text) = 0;
  // Vertical resolution in dots per inch (GetDeviceCaps LOGPIXELSY).
  virtual int LogPixelsY() = 0;
};

// Selects a tool for the life of the scope and reselects the replaced one at its end.
class ScopedSelect {
 public:
  ScopedSelect(Canvas& canvas, DrawTool tool) : canvas_(canvas), previous_(canvas.Select(tool)) {}
  ~ScopedSelect() { canvas_.Select(previous_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  Canvas& canvas_;
  DrawTool previous_;
};

// Sets the text colour for the life of the scope and restores the previous one at its end.
class ScopedTextColor {
 public:
  ScopedTextColor(Canvas& canvas, ColorRef color)
      : canvas_(canvas), previous_(canvas.SetTextColor(color)) {}
  ~ScopedTextColor() { canvas_.SetTextColor(previous_); }
  ScopedTextColor(const ScopedTextColor&) = delete;
  ScopedTextColor& operator=(const ScopedTextColor&) = delete;

 private:
  Canvas& canvas_;
  ColorRef previous_;
};

// A line from (x0, y0) to (x1, y1) with the given pen, reselecting the previous pen.
inline void DrawLine(Canvas& canvas, DrawTool pen, int x0, int y0, int x1, int y1) {
  ScopedSelect use(canvas, pen);
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}
