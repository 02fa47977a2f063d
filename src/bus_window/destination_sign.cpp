// The destination sign: its folder, list, stepping index and image.
#include "bus_window/destination_sign.h"

#include "bus_window/sign_list_logic.h"
#include "common/path_logic.h"
#include "resource.h"

namespace rumona {

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

// Shown at its own size in twips at the box's top-left, clipped by the box.
void DestinationSign::SetImage(Picture picture) {
  source_ = std::move(picture);
  userPicture_ = true;
  SetDpi(dpi_);
  if (!box_) return;
  InvalidateRect(box_, nullptr, FALSE);
  UpdateWindow(box_);
}

// The default sign is drawn for the DPI; a user's picture is resampled from the one loaded.
void DestinationSign::SetDpi(int dpi) {
  dpi_ = dpi;
  if (!userPicture_ && source_.empty()) source_ = Picture::FromResource(IDB_SIGN_DEFAULT);
  ImgDesiMaku.picture =
      userPicture_ ? source_.ForDpi(dpi) : Picture::Artwork(IDB_SIGN_DEFAULT, dpi);
  ImgDesiMaku.rect.width = static_cast<float>(source_.widthPx() * kTwipsPerPixel);
  ImgDesiMaku.rect.height = static_cast<float>(source_.heightPx() * kTwipsPerPixel);
}

}  // namespace rumona
