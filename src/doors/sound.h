#pragma once
// The door buzzers: the executable's own "WAVE" resources played from memory.
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace rumona {

inline constexpr UINT kPlaySyncFlags = SND_NODEFAULT | SND_MEMORY;
inline constexpr UINT kPlayAsyncFlags = SND_ASYNC | SND_NODEFAULT | SND_MEMORY;

// Plays a sound to its end; returns at once when it cannot be played.
void PlayWaveSync(int16_t id);
// Starts a sound, processes the window events pending now once, and returns while it plays.
void PlayWaveAsync(int16_t id);

// The image of the sound loaded last, which the player may still be reading.
const std::vector<BYTE>& LoadedSoundData();

// The platform's player, sndPlaySoundA unless a test puts a recorder in its place.
extern std::function<BOOL(LPCSTR sound, UINT flags)> sndPlaySoundCall;

}  // namespace rumona
