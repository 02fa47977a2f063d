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
  SetDpi(dpi_);
  if (!box_) return;
  InvalidateRect(box_, nullptr, FALSE);
  UpdateWindow(box_);
}

void DestinationSign::SetDpi(int dpi) {
  dpi_ = dpi;
  ImgDesiMaku.picture = source_.empty() ? Picture::Artwork(IDB_SIGN_DEFAULT, dpi)
                                        : source_.Resampled(ScaledPixels(source_.widthPx(), dpi),
                                                            ScaledPixels(source_.heightPx(), dpi));
  const Picture& base = source_.empty() ? Picture::Artwork(IDB_SIGN_DEFAULT, kBaseDpi) : source_;
  ImgDesiMaku.rect.width = static_cast<float>(base.widthPx() * kTwipsPerPixel);
  ImgDesiMaku.rect.height = static_cast<float>(base.heightPx() * kTwipsPerPixel);
}

}  // namespace rumona
