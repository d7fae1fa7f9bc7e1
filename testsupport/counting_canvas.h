// A canvas and tool factory that draw nothing and only count what they are asked to do: text
// units, lines, fills, ellipses and selections. For benchmarks, which time the portable drawing
// code without any device behind it.
#pragma once

#include <cstdint>
#include <string>

#include "draw_canvas.h"

namespace test_support {

class CountingCanvas : public Canvas, public DrawingToolFactory {
 public:
  long long ops = 0;

  DrawTool MakePen(const PenDesc&) override { return Next(); }
  DrawTool MakeSolidBrush(ColorRef) override { return Next(); }
  DrawTool MakeFont(const FontDesc&) override { return Next(); }
  void DeleteTool(DrawTool) override {}
  DrawTool Select(DrawTool tool) override {
    ++ops;
    return tool;
  }
  DrawTool NullBrush() override { return Next(); }
  ColorRef SetTextColor(ColorRef c) override { return c; }
  void MoveTo(int, int) override { ++ops; }
  void LineTo(int, int) override { ++ops; }
  void FillRect(const DrawRect&, DrawTool) override { ++ops; }
  void Ellipse(int, int, int, int) override { ++ops; }
  void DrawTextIn(const std::u16string& text, const DrawRect&, unsigned) override {
    ops += static_cast<long long>(text.size());
  }
  int TextWidth(const std::u16string& text) override {
    ops += static_cast<long long>(text.size());
    return 0;
  }
  int LogPixelsY() override { return 300; }

 private:
  DrawTool Next() { return reinterpret_cast<DrawTool>(++serial_); }
  std::uintptr_t serial_ = 0;
};

}  // namespace test_support
