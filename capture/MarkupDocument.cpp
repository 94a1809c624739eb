#include "capture/MarkupDocument.h"

namespace markup {
namespace {

bool SameShape(const Shape& a, const Shape& b) {
  return a.tool == b.tool && a.colour == b.colour && a.width == b.width && a.points == b.points &&
         a.text == b.text && a.fontSize == b.fontSize && a.textWidth == b.textWidth && a.textHeight == b.textHeight;
}

}  // namespace

size_t CMarkupDocument::IndexOf(uint32_t id) const {
  for (size_t i = 0; i < shapes_.size(); ++i) {
    if (shapes_[i].id == id) return i;
  }
  return shapes_.size();
}

const Shape* CMarkupDocument::Find(uint32_t id) const {
  const size_t i = IndexOf(id);
  return i < shapes_.size() ? &shapes_[i] : nullptr;
}

void CMarkupDocument::Apply(const Edit& e, bool forward) {
  const std::optional<Shape>& from = forward ? e.before : e.after;
  const std::optional<Shape>& to = forward ? e.after : e.before;
  if (from && to) {
    shapes_[e.index] = *to;
  } else if (to) {
    shapes_.insert(shapes_.begin() + static_cast<std::ptrdiff_t>(e.index), *to);
  } else if (from) {
    shapes_.erase(shapes_.begin() + static_cast<std::ptrdiff_t>(e.index));
  }
}

void CMarkupDocument::Record(Step step) {
  // A new step drops what could have been redone; a save among those steps
  // can no longer be reached.
  if (saved_ && *saved_ > position_) saved_.reset();
  steps_.resize(position_);
  steps_.push_back(std::move(step));
  position_ = steps_.size();
}

uint32_t CMarkupDocument::Add(Shape s) {
  if (preview_.active) CommitPreview();
  s.id = nextId_++;
  Step step;
  if (s.tool == Tool::kCrop) {
    for (size_t i = 0; i < shapes_.size(); ++i) {
      if (shapes_[i].tool != Tool::kCrop) continue;
      step.push_back(Edit{i, shapes_[i], std::nullopt});
      shapes_.erase(shapes_.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  step.push_back(Edit{shapes_.size(), std::nullopt, s});
  shapes_.push_back(s);
  Record(std::move(step));
  return s.id;
}

bool CMarkupDocument::Remove(uint32_t id) {
  if (preview_.active) CommitPreview();
  const size_t i = IndexOf(id);
  if (i == shapes_.size()) return false;
  Step step{Edit{i, shapes_[i], std::nullopt}};
  shapes_.erase(shapes_.begin() + static_cast<std::ptrdiff_t>(i));
  Record(std::move(step));
  return true;
}

bool CMarkupDocument::Change(const Shape& after) {
  if (preview_.active) CommitPreview();
  const size_t i = IndexOf(after.id);
  if (i == shapes_.size() || SameShape(shapes_[i], after)) return false;
  Step step{Edit{i, shapes_[i], after}};
  shapes_[i] = after;
  Record(std::move(step));
  return true;
}

uint32_t CMarkupDocument::Preview(Shape after) {
  if (preview_.active && preview_.id != after.id) CommitPreview();
  if (!preview_.active) {
    const size_t i = after.id ? IndexOf(after.id) : shapes_.size();
    if (after.id && i == shapes_.size()) return 0;
    preview_.active = true;
    if (after.id) {
      preview_.before = shapes_[i];
    } else {
      preview_.before.reset();
      after.id = nextId_++;
      shapes_.push_back(after);
    }
    preview_.id = after.id;
    preview_.index = i;
  }
  shapes_[IndexOf(preview_.id)] = after;
  return preview_.id;
}

bool CMarkupDocument::CommitPreview() {
  if (!preview_.active) return false;
  const size_t i = IndexOf(preview_.id);
  const Shape now = shapes_[i];
  const bool isNew = !preview_.before;
  if (isNew ? !IsWorthKeeping(now) : SameShape(*preview_.before, now)) {
    CancelPreview();
    return false;
  }
  preview_.active = false;
  Step step;
  if (isNew && now.tool == Tool::kCrop) {
    for (size_t k = 0; k < shapes_.size(); ++k) {
      if (shapes_[k].tool != Tool::kCrop || shapes_[k].id == now.id) continue;
      step.push_back(Edit{k, shapes_[k], std::nullopt});
      shapes_.erase(shapes_.begin() + static_cast<std::ptrdiff_t>(k));
      break;
    }
  }
  step.push_back(Edit{IndexOf(now.id), preview_.before, now});
  Record(std::move(step));
  return true;
}

void CMarkupDocument::CancelPreview() {
  if (!preview_.active) return;
  preview_.active = false;
  const size_t i = IndexOf(preview_.id);
  if (preview_.before)
    shapes_[i] = *preview_.before;
  else
    shapes_.erase(shapes_.begin() + static_cast<std::ptrdiff_t>(i));
}

bool CMarkupDocument::Undo() {
  if (preview_.active) {
    CancelPreview();
    return true;
  }
  if (position_ == 0) return false;
  const Step& step = steps_[--position_];
  for (auto e = step.rbegin(); e != step.rend(); ++e) Apply(*e, false);
  return true;
}

bool CMarkupDocument::Redo() {
  if (preview_.active || position_ == steps_.size()) return false;
  for (const Edit& e : steps_[position_]) Apply(e, true);
  ++position_;
  return true;
}

int CMarkupDocument::StepNumber(uint32_t id) const {
  int n = 0;
  for (const Shape& s : shapes_) {
    if (s.tool != Tool::kStep) continue;
    ++n;
    if (s.id == id) return n;
  }
  return 0;
}

std::optional<Rect> CMarkupDocument::CropBox() const {
  for (auto s = shapes_.rbegin(); s != shapes_.rend(); ++s) {
    if (s->tool == Tool::kCrop) return ShapeBox(*s);
  }
  return std::nullopt;
}

uint32_t CMarkupDocument::HitShape(Point p, int tolerance) const {
  for (auto s = shapes_.rbegin(); s != shapes_.rend(); ++s) {
    if (HitTest(*s, p, tolerance)) return s->id;
  }
  return 0;
}

}  // namespace markup
