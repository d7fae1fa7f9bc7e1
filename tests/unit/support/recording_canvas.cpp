#include "support/recording_canvas.h"

namespace test_support {

RecordingCanvas::RecordingCanvas(int logPixelsY) : logPixelsY_(logPixelsY) {
  RecordedTool pen;
  pen.kind = RecordedTool::Kind::Pen;
  pen.original = true;
  originalPen_ = New(pen);
  RecordedTool brush;
  brush.kind = RecordedTool::Kind::Brush;
  brush.original = true;
  originalBrush_ = New(brush);
  RecordedTool font;
  font.kind = RecordedTool::Kind::Font;
  font.original = true;
  originalFont_ = New(font);
  RecordedTool null;
  null.kind = RecordedTool::Kind::Brush;
  null.nullBrush = true;
  null.original = true;
  nullBrush_ = New(null);
  pen_ = originalPen_;
  brush_ = originalBrush_;
  font_ = originalFont_;
}

RecordedTool* RecordingCanvas::New(RecordedTool tool) {
  tools_.push_back(tool);
  return &tools_.back();
}

DrawTool RecordingCanvas::MakePen(const PenDesc& pen) {
  RecordedTool t;
  t.kind = RecordedTool::Kind::Pen;
  t.pen = pen;
  t.serial = ++made_;
  return New(t);
}

DrawTool RecordingCanvas::MakeSolidBrush(ColorRef color) {
  RecordedTool t;
  t.kind = RecordedTool::Kind::Brush;
  t.brushColor = color;
  t.serial = ++made_;
  return New(t);
}

DrawTool RecordingCanvas::MakeFont(const FontDesc& font) {
  RecordedTool t;
  t.kind = RecordedTool::Kind::Font;
  t.font = font;
  t.serial = ++made_;
  return New(t);
}

const RecordedTool* RecordingCanvas::Info(DrawTool tool) const {
  for (const RecordedTool& t : tools_) {
    if (&t == tool) return &t;
  }
  return nullptr;
}

void RecordingCanvas::DeleteTool(DrawTool tool) {
  if (tool == nullptr) return;
  RecordedTool* t = const_cast<RecordedTool*>(Info(tool));
  if (t == nullptr || t->original || t->deleted) {
    ++badSelections_;  // deleting what was not made here, or twice
    return;
  }
  t->deleted = true;
  ++deleted_;
}

int RecordingCanvas::LiveTools() const {
  int live = 0;
  for (const RecordedTool& t : tools_) {
    if (!t.original && !t.deleted) ++live;
  }
  return live;
}

std::vector<const RecordedTool*> RecordingCanvas::MadeInOrder() const {
  std::vector<const RecordedTool*> out;
  for (const RecordedTool& t : tools_) {
    if (!t.original) out.push_back(&t);
  }
  return out;
}

DrawTool RecordingCanvas::Select(DrawTool tool) {
  const RecordedTool* t = Info(tool);
  if (t == nullptr) {
    // Like SelectObject: an unknown or null handle changes nothing and returns null.
    if (tool != nullptr) ++badSelections_;
    return nullptr;
  }
  if (t->deleted) ++badSelections_;
  DrawTool* slot = t->kind == RecordedTool::Kind::Pen     ? &pen_
                   : t->kind == RecordedTool::Kind::Brush ? &brush_
                                                          : &font_;
  DrawTool previous = *slot;
  *slot = tool;
  return previous;
}

ColorRef RecordingCanvas::SetTextColor(ColorRef color) {
  const ColorRef previous = textColor_;
  textColor_ = color;
  return previous;
}

void RecordingCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void RecordingCanvas::LineTo(int x, int y) {
  ops_.push_back(RecordedOp{'L', lines_.size()});
  lines_.push_back(RecordedLine{penX_, penY_, x, y, pen_});
  penX_ = x;
  penY_ = y;
}

void RecordingCanvas::FillRect(const DrawRect& rect, DrawTool brush) {
  ops_.push_back(RecordedOp{'F', fills_.size()});
  fills_.push_back(RecordedFill{rect, brush});
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  ops_.push_back(RecordedOp{'E', ellipses_.size()});
  ellipses_.push_back(RecordedEllipse{DrawRect{left, top, right, bottom}, pen_, brush_});
}

void RecordingCanvas::DrawTextIn(const std::u16string& text, const DrawRect& rect,
                                 unsigned flags) {
  ops_.push_back(RecordedOp{'T', texts_.size()});
  texts_.push_back(RecordedText{text, rect, flags, font_, textColor_});
}

int RecordingCanvas::TextWidthIn(DrawTool tool, const std::u16string& text) const {
  const RecordedTool* font = Info(tool);
  if (font == nullptr || font->kind != RecordedTool::Kind::Font) return 0;
  const int height = font->font.height < 0 ? -font->font.height : font->font.height;
  const int narrow = font->font.width > 0 ? font->font.width : height / 2;
  int width = 0;
  for (const char16_t c : text) width += c < 0x80 ? narrow : height;
  return width;
}

void RecordingCanvas::ClearRecord() {
  lines_.clear();
  texts_.clear();
  fills_.clear();
  ellipses_.clear();
  ops_.clear();
}

bool RecordingCanvas::HoldsOriginals() const {
  return pen_ == originalPen_ && brush_ == originalBrush_ && font_ == originalFont_ &&
         textColor_ == kOriginalTextColor;
}

}  // namespace test_support
