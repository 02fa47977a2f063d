#pragma once
// The destination sign's state, and every change of it: the sign folder (`strDir` element 0), the
// sign list `File1` of its pictures, the index the arrow keys step from (`lngDesiIndex`) and the
// image `ImgDesiMaku` shown in the sign box `Picture1`.
#include <map>

#include "bus_window/file_list.h"
#include "common/light_controls.h"
#include "common/path_logic.h"
#include "common/picture_loader.h"

namespace rumona {

class DestinationSign {
 public:
  static constexpr RectTw kBoxRect{4425, 675, 780, 480};  // `Picture1` on the bus window
  // What the box can show of a picture, in the picture's own pixels (pixels at 96 DPI): all
  // that is decoded of it.
  static constexpr SIZE kVisible{780 / kTwipsPerPixel, 480 / kTwipsPerPixel};
  static constexpr UINT kDecodedMessage = WM_APP + 1;  // posted to the box by the loader
  static constexpr UINT_PTR kFrameTimer = 1;           // the box's timer for the next frame

  void SetBox(HWND box) { box_ = box; }  // `Picture1`, repainted when the image changes
  // The image for a DPI: the default sign drawn for it, a user's picture resampled once from the
  // one loaded, so that it keeps its size in twips.
  void SetDpi(int dpi);

  const std::wstring& Folder() const { return folder_; }
  const FileList& List() const { return File1; }
  const LightImage& Image() const { return ImgDesiMaku; }

  // The folder as typed or read, exactly; the list keeps pointing where it did.
  void StoreFolder(std::wstring folder) { folder_ = std::move(folder); }
  // The "\" that the arrow keys and the keypad store before they look at the list.
  void AppendSeparator() { EnsureTrailingBackslash(folder_); }
  // Points the list at the stored folder: ERROR_SUCCESS, or why it could not be listed, with the
  // list left as it was.
  [[nodiscard]] DWORD PointListAtFolder() { return File1.SetPath(folder_); }
  // Up and Down step the index and show its entry; other keys change nothing.
  void Step(int16_t keyCode);
  // Shows the list's entry at `index`, leaving the index: at once when it was decoded ahead,
  // else once it has been. A missing entry or a file that is no picture leaves the sign as it
  // is, silently.
  void ShowEntry(int index);
  bool Loading() const { return !wanted_.empty(); }  // an entry asked for is still decoding
  bool DecodedAhead() const;  // the entries the arrows go to next are at hand

  // The box's messages: a decoded picture, the animation's timer, and a paint, which takes up
  // an animation stopped while the sign could not be seen.
  void OnDecoded();
  void NextFrame();
  void OnPainted();
  bool Playing() const { return playing_; }

 private:
  std::vector<std::wstring> NextPaths() const;  // where Down and then Up go
  void Fetch();
  void Show(std::shared_ptr<const Frames> frames);
  void ShowFrame();
  bool StartFrameTimer();  // false when the system has no timer for it

  HWND box_ = nullptr;
  int dpi_ = 0;
  Picture defaultSign_;                  // at 96 DPI, for its size
  std::shared_ptr<const Frames> shown_;  // the picture shown; null for the default sign
  size_t frame_ = 0;                     // its frame on the box
  int playsLeft_ = 0;                    // the plays still to come, this one counted; 0: forever
  bool playing_ = false;                 // the frame timer runs
  bool paused_ = false;                  // stopped while the sign could not be seen
  std::wstring wanted_;                  // the path asked to be shown, until it is decoded
  std::map<std::wstring, PictureLoader::Result> kept_;  // decoded: the one asked for, neighbours
  PictureLoader loader_{kVisible, true};
  std::wstring folder_;
  FileList File1;  // hidden: takes no room and no input
  int32_t lngDesiIndex = 0;
  LightImage ImgDesiMaku;
};

}  // namespace rumona
