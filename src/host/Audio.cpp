#include "host/Audio.h"

#include <cmath>

namespace host {

bool Playable(const WaveFormat& format, std::size_t bytes) {
  if (format.formatTag != 1) return false;
  if (format.channels != 1 && format.channels != 2) return false;
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
  if (format.blockAlign != format.channels * format.bitsPerSample / 8) return false;
  if (format.samplesPerSec < 1000 || format.samplesPerSec > 192000) return false;
  return bytes >= format.blockAlign;
}

double VolumeGain(std::int32_t hundredthsOfDecibel) {
  if (hundredthsOfDecibel <= kSilentVolume) return 0;
  if (hundredthsOfDecibel >= 0) return 1;
  return std::pow(10.0, hundredthsOfDecibel / 2000.0);
}

}  // namespace host
