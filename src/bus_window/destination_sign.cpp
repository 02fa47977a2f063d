// The destination sign: its folder, list, stepping index and image.
#include "bus_window/destination_sign.h"

#include <algorithm>

#include "bus_window/sign_list_logic.h"
#include "common/resource.h"

namespace rumona {

void DestinationSign::Step(int16_t keyCode) {
  const std::optional<int32_t> index = StepSignIndex(lngDesiIndex, File1.ListCount(), keyCode);
  if (!index) return;
  lngDesiIndex = *index;
  ShowEntry(lngDesiIndex);
}

// The folder is joined as a path, so one read from the settings file needs no separator stored;
// the keys and the keypad store theirs first, which joins the same way.
void DestinationSign::ShowEntry(int index) {
  const std::wstring entry = File1.List(index);
  if (entry.empty()) return;
  wanted_ = JoinPath(folder_, entry);
  Fetch();
}

std::vector<std::wstring> DestinationSign::NextPaths() const {
  std::vector<std::wstring> next;
  for (const int32_t i : {lngDesiIndex + 1, lngDesiIndex - 1})
    if (const std::wstring entry = File1.List(i); !entry.empty())
      next.push_back(JoinPath(folder_, entry));
  return next;
}

bool DestinationSign::DecodedAhead() const {
  const std::vector<std::wstring> next = NextPaths();
  return std::all_of(next.begin(), next.end(), [this](const auto& p) { return kept_.contains(p); });
}

// Shows the entry asked for when it is at hand, and has the loader decode it and then the
// entries the arrows go to next, Down's first, so that a step at a person's pace finds its
// picture decoded. Only these are kept: each is no larger than the box.
void DestinationSign::Fetch() {
  const std::vector<std::wstring> next = NextPaths();
  std::erase_if(kept_, [&](const auto& k) {
    return k.first != wanted_ && std::find(next.begin(), next.end(), k.first) == next.end();
  });
  // A file written since it was decoded is decoded again.
  const auto atHand = [this](const std::wstring& path) {
    const auto it = kept_.find(path);
    return it != kept_.end() && it->second.stamp == StampOf(path) ? it->second.frames : nullptr;
  };
  std::vector<std::wstring> ask;
  if (const std::shared_ptr<const Frames> frames = atHand(wanted_)) {
    wanted_.clear();
    if (!frames->frames.empty()) Show(frames);
  } else {
    ask.push_back(wanted_);
  }
  for (const std::wstring& path : next)
    if (!atHand(path)) ask.push_back(path);
  loader_.Want(box_, kDecodedMessage, std::move(ask));
}

void DestinationSign::OnDecoded() {
  for (PictureLoader::Result& r : loader_.Take()) {
    if (r.path == wanted_) {
      wanted_.clear();
      if (!r.frames->frames.empty()) Show(r.frames);
    }
    kept_[r.path] = std::move(r);
  }
}

// Shown at its own size in twips at the box's top-left, clipped by the box; its frames play.
void DestinationSign::Show(std::shared_ptr<const Frames> frames) {
  shown_ = std::move(frames);
  frame_ = 0;
  playsLeft_ = shown_->plays;
  paused_ = false;
  ShowFrame();
}

// The current frame on the box, and the timer for the next while there is one to come; without
// a timer the frame stays.
void DestinationSign::ShowFrame() {
  SetDpi(dpi_);
  const size_t count = shown_->frames.size();
  playing_ = count > 1 && !(frame_ + 1 == count && playsLeft_ == 1) && StartFrameTimer();
  if (!playing_) KillTimer(box_, kFrameTimer);
  if (!box_) return;
  InvalidateRect(box_, nullptr, FALSE);
  UpdateWindow(box_);
}

// A sign that cannot be seen (its window minimised or hidden) costs nothing: the next paint
// takes the animation up again where it stopped.
void DestinationSign::NextFrame() {
  if (!playing_) return;
  if (!IsWindowVisible(box_) || IsIconic(GetAncestor(box_, GA_ROOT))) {
    KillTimer(box_, kFrameTimer);
    playing_ = false;
    paused_ = true;
    return;
  }
  if (++frame_ == shown_->frames.size()) {
    frame_ = 0;
    if (playsLeft_ > 1) --playsLeft_;
  }
  ShowFrame();
}

void DestinationSign::OnPainted() {
  if (!paused_) return;
  paused_ = false;
  playing_ = StartFrameTimer();
}

bool DestinationSign::StartFrameTimer() {
  return SetTimer(box_, kFrameTimer, static_cast<UINT>(shown_->delaysMs[frame_]), nullptr) != 0;
}

void DestinationSign::SetDpi(int dpi) {
  dpi_ = dpi;
  SIZE size;
  if (shown_) {
    ImgDesiMaku.picture = shown_->frames[frame_].ForDpi(dpi);
    size = shown_->size;
  } else {
    if (defaultSign_.empty()) defaultSign_ = Picture::FromResource(IDB_SIGN_DEFAULT);
    ImgDesiMaku.picture = Picture::Artwork(IDB_SIGN_DEFAULT, dpi);
    size = {defaultSign_.widthPx(), defaultSign_.heightPx()};
  }
  ImgDesiMaku.rect.width = static_cast<float>(size.cx * kTwipsPerPixel);
  ImgDesiMaku.rect.height = static_cast<float>(size.cy * kTwipsPerPixel);
}

}  // namespace rumona
