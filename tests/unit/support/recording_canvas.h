// A canvas and tool factory that draw nothing and record everything, so tests can assert the
// exact coordinates, texts, flags and tools of a render.
//
//   test_support::RecordingCanvas canvas;        // starts with its own "original" tools selected
//   DrawChartData(view, canvas);                 // view.toolFactory = &canvas
//   auto lines = canvas.Lines();                 // every MoveTo/LineTo segment with its pen
//   auto texts = canvas.Texts();                 // every DrawTextIn with rect, flags, font, colour
//   EXPECT_TRUE(canvas.HoldsOriginals());        // tools and text colour as found
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "draw_canvas.h"

namespace test_support {

// What a DrawTool of the recording factory stands for.
struct RecordedTool {
  enum class Kind { Pen, Brush, Font } kind = Kind::Pen;
  PenDesc pen;
  ColorRef brushColor = 0;
  bool nullBrush = false;  // the stock NULL_BRUSH
  FontDesc font;
  bool original = false;  // selected in the canvas before any drawing
  bool deleted = false;
  int serial = 0;  // creation order
};

struct RecordedLine {
  int x0, y0, x1, y1;
  DrawTool pen;
  friend bool operator==(const RecordedLine&, const RecordedLine&) = default;
};

struct RecordedText {
  std::u16string text;
  DrawRect rect;
  unsigned flags;
  DrawTool font;
  ColorRef color;
};

struct RecordedFill {
  DrawRect rect;
  DrawTool brush;
};

struct RecordedEllipse {
  DrawRect rect;
  DrawTool pen;
  DrawTool brush;
};

// One operation in drawing order (for order checks): 'L' line, 'T' text, 'F' fill, 'E' ellipse.
struct RecordedOp {
  char kind;
  std::size_t index;  // into Lines(), Texts(), Fills() or Ellipses()
};

class RecordingCanvas : public Canvas, public DrawingToolFactory {
 public:
  explicit RecordingCanvas(int logPixelsY = 96);

  // DrawingToolFactory
  DrawTool MakePen(const PenDesc& pen) override;
  DrawTool MakeSolidBrush(ColorRef color) override;
  DrawTool MakeFont(const FontDesc& font) override;
  void DeleteTool(DrawTool tool) override;

  // Canvas
  DrawTool Select(DrawTool tool) override;
  DrawTool NullBrush() override { return nullBrush_; }
  ColorRef SetTextColor(ColorRef color) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void FillRect(const DrawRect& rect, DrawTool brush) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void DrawTextIn(const std::u16string& text, const DrawRect& rect, unsigned flags) override;
  // The selected font's cell: an ASCII character half its height wide (or its width when set),
  // any other character its height; 0 without a font of this factory.
  int TextWidth(const std::u16string& text) override { return TextWidthIn(font_, text); }
  int TextWidthIn(DrawTool font, const std::u16string& text) const;
  int LogPixelsY() override { return logPixelsY_; }

  // The record.
  const std::vector<RecordedLine>& Lines() const { return lines_; }
  const std::vector<RecordedText>& Texts() const { return texts_; }
  const std::vector<RecordedFill>& Fills() const { return fills_; }
  const std::vector<RecordedEllipse>& Ellipses() const { return ellipses_; }
  const std::vector<RecordedOp>& Ops() const { return ops_; }
  void ClearRecord();

  // What a tool is; nullptr for a handle this factory did not make.
  const RecordedTool* Info(DrawTool tool) const;
  // Tools made and not yet deleted (originals and the null brush not counted).
  int LiveTools() const;
  int MadeTools() const { return made_; }
  int DeletedTools() const { return deleted_; }
  // Tools made by the factory, in creation order (deleted ones included).
  std::vector<const RecordedTool*> MadeInOrder() const;

  DrawTool CurrentPen() const { return pen_; }
  DrawTool CurrentBrush() const { return brush_; }
  DrawTool CurrentFont() const { return font_; }
  ColorRef CurrentTextColor() const { return textColor_; }
  // Pen, brush, font and text colour are the ones the canvas started with.
  bool HoldsOriginals() const;
  // Selections of a deleted tool, or of a handle the factory never made (nullptr excepted).
  int BadSelections() const { return badSelections_; }

  static constexpr ColorRef kOriginalTextColor = 0x00123456;

 private:
  RecordedTool* New(RecordedTool tool);

  std::deque<RecordedTool> tools_;
  int logPixelsY_;
  int made_ = 0;
  int deleted_ = 0;
  int badSelections_ = 0;
  DrawTool originalPen_, originalBrush_, originalFont_, nullBrush_;
  DrawTool pen_, brush_, font_;
  ColorRef textColor_ = kOriginalTextColor;
  int penX_ = 0, penY_ = 0;
  std::vector<RecordedLine> lines_;
  std::vector<RecordedText> texts_;
  std::vector<RecordedFill> fills_;
  std::vector<RecordedEllipse> ellipses_;
  std::vector<RecordedOp> ops_;
};

}  // namespace test_support
