// The destination sign: its folder, list, stepping index and image.
#include "bus_window/destination_sign.h"

#include "bus_window/sign_list_logic.h"
#include "common/path_logic.h"
#include "resource.h"

namespace rumona {

DestinationSign::DestinationSign() { SetImage(Picture::FromResource(IDB_SIGN_DEFAULT)); }

void DestinationSign::AppendSeparator() { EnsureTrailingBackslash(folder_); }

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
  Picture picture = Picture::FromFile(JoinPath(folder_, entry));
  if (!picture.empty()) SetImage(std::move(picture));
}

// Shown at its own size at the box's top-left, clipped by the box.
void DestinationSign::SetImage(Picture picture) {
  ImgDesiMaku.picture = std::move(picture);
  ImgDesiMaku.rect.width = static_cast<float>(ImgDesiMaku.picture.widthPx() * kTwipsPerPixel);
  ImgDesiMaku.rect.height = static_cast<float>(ImgDesiMaku.picture.heightPx() * kTwipsPerPixel);
  if (!box_) return;
  InvalidateRect(box_, nullptr, FALSE);
  UpdateWindow(box_);
}

}  // namespace rumona
