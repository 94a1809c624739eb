// The shapes drawn over one picture, in drawing order, with an undo history
// without limit: every change (a shape added, removed, moved, resized, given
// another colour, width or text) is one step that Undo takes back and Redo
// makes again. A change in progress (a shape being drawn or dragged) is a
// preview: shown, but in the history only once it is committed.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "capture/MarkupShape.h"

namespace markup {

class CMarkupDocument {
 public:
  const std::vector<Shape>& shapes() const { return shapes_; }
  const Shape* Find(uint32_t id) const;

  // Adds s on top as one step; returns its id. A crop replaces the crop
  // there was, in the same step: a picture has one crop at most.
  uint32_t Add(Shape s);
  // One step each; false (and no step) when the shape is not there or
  // nothing changes.
  bool Remove(uint32_t id);
  bool Change(const Shape& after);

  // A preview of a new shape, or of a change to one that exists (after.id
  // set): shown in shapes() at once, made a step by CommitPreview, undone
  // by CancelPreview. A new preview (also of another shape) keeps the one
  // before it as its own step first. Returns the shape's id.
  uint32_t Preview(Shape after);
  // False, and the preview cancelled, when it changed nothing or made a new
  // shape not worth keeping (IsWorthKeeping).
  bool CommitPreview();
  void CancelPreview();

  bool CanUndo() const { return position_ > 0 || preview_.active; }
  bool CanRedo() const { return position_ < steps_.size() && !preview_.active; }
  // An open preview is cancelled first; that alone counts as the undo.
  bool Undo();
  bool Redo();

  // The number a step shape shows: its place among the steps, counted in
  // drawing order from 1, so later steps count down when one is removed.
  int StepNumber(uint32_t id) const;
  // The crop's box, if there is a crop.
  std::optional<Rect> CropBox() const;
  // The topmost shape a press at p takes, or 0.
  uint32_t HitShape(Point p, int tolerance) const;

  // Whether there is anything the last save does not hold.
  bool Modified() const { return preview_.active || !saved_ || *saved_ != position_; }
  void MarkSaved() { saved_ = position_; }

 private:
  // One shape's state before and after a change: no before for an added
  // shape, no after for a removed one. index is its place in shapes_ (after
  // the change, or before it for a removal).
  struct Edit {
    size_t index = 0;
    std::optional<Shape> before;
    std::optional<Shape> after;
  };
  using Step = std::vector<Edit>;

  size_t IndexOf(uint32_t id) const;  // shapes_.size() when missing
  void Apply(const Edit& e, bool forward);
  void Record(Step step);

  std::vector<Shape> shapes_;
  std::vector<Step> steps_;
  size_t position_ = 0;  // steps_[0..position_) are done
  std::optional<size_t> saved_ = size_t{0};
  uint32_t nextId_ = 1;
  struct {
    bool active = false;
    uint32_t id = 0;
    std::optional<Shape> before;  // none for a new shape
    size_t index = 0;             // where a new preview shape stands
  } preview_;
};

}  // namespace markup
