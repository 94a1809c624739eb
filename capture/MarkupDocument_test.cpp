#include "capture/MarkupDocument.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace markup;

bool SameShapes(const std::vector<Shape>& a, const std::vector<Shape>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].id != b[i].id || a[i].tool != b[i].tool || a[i].colour != b[i].colour || a[i].width != b[i].width ||
        a[i].points != b[i].points || a[i].text != b[i].text)
      return false;
  }
  return true;
}

// Every kind of change, one after the other; undone to the empty picture and
// redone to the end, the shapes are at each step what they were.
TEST(MarkupDocument, EveryChangeIsUndoneAndRedoneInTurn) {
  CMarkupDocument doc;
  uint32_t rect = 0, line = 0, text = 0, pen = 0;
  const std::vector<std::function<void()>> changes = {
      [&] { rect = doc.Add(NewShape(Tool::kRectangle, 0xFF0000, 2, {10, 10}, {50, 40})); },
      [&] { line = doc.Add(NewShape(Tool::kLine, 0x00FF00, 1, {0, 0}, {30, 90})); },
      [&] { doc.Change(Moved(*doc.Find(rect), 5, -3)); },
      [&] { doc.Change(Resized(*doc.Find(rect), kBottomRight, {90, 90})); },
      [&] {
        Shape s = *doc.Find(line);
        s.colour = 0x123456;
        s.width = 8;
        doc.Change(s);
      },
      [&] {
        Shape s = NewShape(Tool::kText, 0, 2, {3, 4}, {3, 4});
        s.text = "第一";
        text = doc.Add(s);
      },
      [&] {
        Shape s = *doc.Find(text);
        s.text = "第二行";
        doc.Change(s);
      },
      [&] { doc.Add(NewShape(Tool::kCrop, 0, 2, {1, 1}, {60, 60})); },
      [&] { doc.Add(NewShape(Tool::kCrop, 0, 2, {2, 2}, {70, 70})); },  // replaces the first crop
      [&] {
        // A stroke drawn as a preview that grows, then committed: one step.
        Shape s = NewShape(Tool::kPen, 0, 2, {5, 5}, {6, 7});
        pen = doc.Preview(s);
        s.id = pen;
        AddPoint(s, {20, 9});
        doc.Preview(s);
        doc.CommitPreview();
      },
      [&] {
        // A drag of an existing shape: previews, one step.
        doc.Preview(Moved(*doc.Find(pen), 1, 1));
        doc.Preview(Moved(*doc.Find(pen), 2, 2));
        doc.CommitPreview();
      },
      [&] { doc.Remove(line); },
  };
  std::vector<std::vector<Shape>> states{doc.shapes()};
  for (const auto& change : changes) {
    change();
    states.push_back(doc.shapes());
    EXPECT_FALSE(SameShapes(states[states.size() - 2], states.back())) << "change " << states.size() - 1;
  }
  EXPECT_EQ(doc.CropBox()->left, 2);
  EXPECT_EQ(doc.shapes().size(), 4u) << "one crop only";
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameShapes(doc.shapes(), states[i - 1])) << "undo to " << i - 1;
  }
  EXPECT_FALSE(doc.Undo());
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(doc.Redo());
    EXPECT_TRUE(SameShapes(doc.shapes(), states[i])) << "redo to " << i;
  }
  EXPECT_FALSE(doc.Redo());
}

TEST(MarkupDocument, PreviewsThatChangeNothingLeaveNoStep) {
  CMarkupDocument doc;
  const uint32_t rect = doc.Add(NewShape(Tool::kRectangle, 0, 2, {10, 10}, {50, 40}));
  // A click with the rectangle tool makes no rectangle.
  doc.Preview(NewShape(Tool::kRectangle, 0, 2, {70, 70}, {70, 70}));
  EXPECT_EQ(doc.shapes().size(), 2u);
  EXPECT_FALSE(doc.CommitPreview());
  EXPECT_EQ(doc.shapes().size(), 1u);
  // A drag that ends where it began.
  doc.Preview(Moved(*doc.Find(rect), 4, 4));
  doc.Preview(Moved(*doc.Find(rect), -4, -4));
  EXPECT_FALSE(doc.CommitPreview());
  // Undo during a drag cancels the drag only.
  doc.Preview(Moved(*doc.Find(rect), 9, 9));
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Find(rect)->points[0], (Point{10, 10}));
  EXPECT_TRUE(doc.Undo());
  EXPECT_TRUE(doc.shapes().empty());
  EXPECT_FALSE(doc.Change(Shape{}));
  EXPECT_FALSE(doc.Remove(rect));
}

TEST(MarkupDocument, StepsAreNumberedInOrderAfterADeleteAndItsUndo) {
  CMarkupDocument doc;
  std::vector<uint32_t> ids;
  for (int i = 0; i < 4; ++i) {
    ids.push_back(doc.Add(NewShape(Tool::kStep, 0, 2, {10 * i, 10}, {10 * i, 10})));
    doc.Add(NewShape(Tool::kLine, 0, 2, {0, 0}, {5, 5}));  // other shapes between them count for nothing
  }
  auto numbers = [&] {
    std::vector<int> n;
    for (uint32_t id : ids) n.push_back(doc.StepNumber(id));
    return n;
  };
  EXPECT_EQ(numbers(), (std::vector<int>{1, 2, 3, 4}));
  doc.Remove(ids[1]);
  EXPECT_EQ(numbers(), (std::vector<int>{1, 0, 2, 3}));
  // A new step follows the last one.
  const uint32_t fifth = doc.Add(NewShape(Tool::kStep, 0, 2, {90, 90}, {90, 90}));
  EXPECT_EQ(doc.StepNumber(fifth), 4);
  doc.Undo();
  doc.Undo();
  EXPECT_EQ(numbers(), (std::vector<int>{1, 2, 3, 4}));
}

TEST(MarkupDocument, ModifiedUntilSavedAndAgainAfterAnyChange) {
  CMarkupDocument doc;
  EXPECT_FALSE(doc.Modified());
  const uint32_t a = doc.Add(NewShape(Tool::kRectangle, 0, 2, {0, 0}, {9, 9}));
  EXPECT_TRUE(doc.Modified());
  doc.Undo();
  EXPECT_FALSE(doc.Modified()) << "back to the saved picture";
  doc.Redo();
  doc.MarkSaved();
  EXPECT_FALSE(doc.Modified());
  doc.Preview(Moved(*doc.Find(a), 1, 0));
  EXPECT_TRUE(doc.Modified());
  doc.CancelPreview();
  EXPECT_FALSE(doc.Modified());
  // Undo past the save, then a new change: the save cannot come back.
  doc.Undo();
  doc.Add(NewShape(Tool::kLine, 0, 2, {0, 0}, {9, 9}));
  doc.Undo();
  EXPECT_TRUE(doc.Modified());
  EXPECT_FALSE(doc.Redo() && !doc.Modified());
}

TEST(MarkupDocument, HitsTakeOutlinesStrokesAndFilledShapesTopmostFirst) {
  Shape text = NewShape(Tool::kText, 0, 2, {100, 100}, {100, 100});
  text.text = "x";
  text.textWidth = 40;
  text.textHeight = 20;
  const struct {
    Shape shape;
    Point at;
    bool hit;
  } cases[] = {
      {NewShape(Tool::kRectangle, 0, 2, {20, 20}, {120, 80}), {20, 50}, true},
      {NewShape(Tool::kRectangle, 0, 2, {20, 20}, {120, 80}), {17, 50}, true},   // within the tolerance of 3
      {NewShape(Tool::kRectangle, 0, 2, {20, 20}, {120, 80}), {70, 50}, false},  // inside an outline
      {NewShape(Tool::kRectangle, 0, 2, {20, 20}, {120, 80}), {124, 50}, false},
      {NewShape(Tool::kMosaic, 0, 2, {20, 20}, {120, 80}), {70, 50}, false},  // drawn over, not taken
      {NewShape(Tool::kMosaic, 0, 2, {20, 20}, {120, 80}), {120, 60}, true},
      {NewShape(Tool::kEllipse, 0, 2, {20, 20}, {120, 80}), {70, 21}, true},
      {NewShape(Tool::kEllipse, 0, 2, {20, 20}, {120, 80}), {70, 50}, false},
      {NewShape(Tool::kEllipse, 0, 2, {20, 20}, {120, 80}), {22, 22}, false},  // the box's corner
      {NewShape(Tool::kLine, 0, 2, {0, 0}, {100, 100}), {52, 48}, true},
      {NewShape(Tool::kLine, 0, 2, {0, 0}, {100, 100}), {60, 40}, false},
      {NewShape(Tool::kHighlighter, 0, 2, {0, 50}, {100, 50}), {50, 57}, true},  // 12 wide
      {NewShape(Tool::kArrow, 0, 2, {0, 50}, {100, 50}), {97, 54}, true},        // its head
      {NewShape(Tool::kArrow, 0, 2, {0, 50}, {100, 50}), {50, 56}, false},
      {text, {139, 119}, true},
      {text, {70, 110}, false},
      {NewShape(Tool::kStep, 0, 2, {50, 50}, {50, 50}), {58, 58}, true},
      {NewShape(Tool::kStep, 0, 2, {50, 50}, {50, 50}), {66, 66}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HitTest(c.shape, c.at, 3), c.hit) << static_cast<int>(c.shape.tool) << " at " << c.at.x << "," << c.at.y;

  CMarkupDocument doc;
  const uint32_t below = doc.Add(NewShape(Tool::kRectangle, 0, 2, {20, 20}, {120, 80}));
  const uint32_t above = doc.Add(NewShape(Tool::kLine, 0, 2, {20, 20}, {120, 20}));
  EXPECT_EQ(doc.HitShape({60, 20}, 3), above);
  EXPECT_EQ(doc.HitShape({20, 60}, 3), below);
  EXPECT_EQ(doc.HitShape({60, 60}, 3), 0u);
}

TEST(MarkupDocument, HandlesResizeBoxesLinesAndStrokes) {
  const Shape rect = NewShape(Tool::kRectangle, 0, 2, {20, 20}, {120, 80});
  EXPECT_EQ(HandleAt(rect, {121, 81}, 3), kBottomRight);
  EXPECT_EQ(HandleAt(rect, {70, 19}, 3), kTop);
  EXPECT_EQ(HandleAt(rect, {70, 50}, 3), kNoHandle);
  // A corner dragged past the opposite one turns the box over.
  EXPECT_EQ(ShapeBox(Resized(rect, kTopLeft, {150, 90})), (Rect{120, 80, 151, 91}));
  EXPECT_EQ(ShapeBox(Resized(rect, kLeft, {0, 999})), (Rect{0, 20, 121, 81}));

  const Shape line = NewShape(Tool::kArrow, 0, 2, {0, 0}, {50, 50});
  EXPECT_EQ(HandleAt(line, {50, 49}, 3), kEnd);
  EXPECT_EQ(Resized(line, kEnd, {9, 99}).points[1], (Point{9, 99}));

  Shape pen = NewShape(Tool::kPen, 0, 2, {10, 10}, {20, 30});
  AddPoint(pen, {30, 10});
  const Shape wider = Resized(pen, kRight, {50, 10});  // twice as wide
  EXPECT_EQ(wider.points, (std::vector<Point>{{10, 10}, {30, 30}, {50, 10}}));
  EXPECT_TRUE(Handles(NewShape(Tool::kStep, 0, 2, {5, 5}, {5, 5})).empty());
}

}  // namespace
