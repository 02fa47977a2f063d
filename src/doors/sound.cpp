// The door buzzers, played from the exe's own "WAVE" resources.
#include "doors/sound.h"

#include "common/keyboard.h"

namespace rumona {

static_assert(kPlaySyncFlags == 6 && kPlayAsyncFlags == 7);

std::function<BOOL(LPCSTR, UINT)> sndPlaySoundCall = [](LPCSTR sound, UINT flags) {
  return sndPlaySoundA(sound, flags);
};

namespace {

std::vector<BYTE> SoundData;

// Reads the resource afresh into SoundData. An asynchronous sound may still be playing from
// the buffer, so it is stopped before the buffer changes.
bool LoadSound(int16_t id) {
  if (!SoundData.empty()) sndPlaySoundCall(nullptr, 0);
  SoundData.clear();
  HMODULE exe = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(exe, MAKEINTRESOURCEW(static_cast<WORD>(id)), L"WAVE");
  HGLOBAL handle = info ? LoadResource(exe, info) : nullptr;
  const auto* bytes = handle ? static_cast<const BYTE*>(LockResource(handle)) : nullptr;
  if (!bytes) return false;
  SoundData.assign(bytes, bytes + SizeofResource(exe, info));
  return !SoundData.empty();
}

}  // namespace

const std::vector<BYTE>& LoadedSoundData() { return SoundData; }

void PlayWaveSync(int16_t id) {
  if (LoadSound(id)) sndPlaySoundCall(reinterpret_cast<LPCSTR>(SoundData.data()), kPlaySyncFlags);
}

void PlayWaveAsync(int16_t id) {
  if (LoadSound(id)) sndPlaySoundCall(reinterpret_cast<LPCSTR>(SoundData.data()), kPlayAsyncFlags);
  DoEvents();
}

}  // namespace rumona
