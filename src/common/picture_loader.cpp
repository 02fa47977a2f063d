// The decoding thread: one file at a time, the window told by a posted message.
#include "common/picture_loader.h"

#include <objbase.h>

namespace rumona {

FileStamp StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA a{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &a)) return {};
  return {uint64_t{a.ftLastWriteTime.dwHighDateTime} << 32 | a.ftLastWriteTime.dwLowDateTime,
          uint64_t{a.nFileSizeHigh} << 32 | a.nFileSizeLow};
}

PictureLoader::~PictureLoader() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

void PictureLoader::Want(HWND window, UINT message, std::vector<std::wstring> paths) {
  {
    const std::lock_guard lock(mutex_);
    queue_ = std::move(paths);
    window_ = window;
    message_ = message;
    if (!thread_.joinable() && !queue_.empty()) thread_ = std::thread(&PictureLoader::Run, this);
  }
  wake_.notify_one();
}

std::vector<PictureLoader::Result> PictureLoader::Take() {
  const std::lock_guard lock(mutex_);
  return std::exchange(done_, {});
}

void PictureLoader::Run() {
  // COM for this thread alone; the pictures it makes are GDI bitmaps, which any thread may draw.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
    if (stop_) break;
    const std::wstring path = queue_.front();
    queue_.erase(queue_.begin());
    lock.unlock();
    Result result{path, StampOf(path),
                  std::make_shared<const Frames>(Picture::Load(path, keep_, allFrames_))};
    lock.lock();
    done_.push_back(std::move(result));
    PostMessageW(window_, message_, 0, 0);  // a window gone meanwhile is told nothing
  }
  lock.unlock();
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace rumona
