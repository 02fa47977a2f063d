#pragma once
// Picture files decoded on a thread of its own, so that a window's thread never waits on a
// decoder: the window says which files it wants, in order, and takes each result when the
// message it named arrives.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "common/picture.h"

namespace rumona {

// When a file was last written, and its size: a picture decoded earlier is still the file's
// while both are the same.
struct FileStamp {
  uint64_t written = 0, size = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::wstring& path);  // zeros when the file cannot be looked at

class PictureLoader {
 public:
  struct Result {
    std::wstring path;
    FileStamp stamp;                       // the file's, just before it was read
    std::shared_ptr<const Frames> frames;  // no frames when it could not be read
  };

  // Each file decoded as Picture::Load does with `keep` and `allFrames`.
  PictureLoader(SIZE keep, bool allFrames) : keep_(keep), allFrames_(allFrames) {}
  ~PictureLoader();  // the decode under way ends first; results not taken go with it
  PictureLoader(const PictureLoader&) = delete;
  PictureLoader& operator=(const PictureLoader&) = delete;

  // What is left to decode becomes `paths`, first first; `message` is posted to `window` after
  // each. The thread starts at the first wish.
  void Want(HWND window, UINT message, std::vector<std::wstring> paths);
  std::vector<Result> Take();  // the results so far, oldest first

 private:
  void Run();

  const SIZE keep_;
  const bool allFrames_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<std::wstring> queue_;
  HWND window_ = nullptr;
  UINT message_ = 0;
  std::vector<Result> done_;
  bool stop_ = false;
  // Joined by the destructor. Not a jthread: MinGW's libstdc++ 12 can lose the wake-up that a
  // stop_callback's end waits for, and the join then never returns (seen under Wine).
  std::thread thread_;
};

}  // namespace rumona
