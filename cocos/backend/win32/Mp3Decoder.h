// Turns an MP3 file into 16-bit PCM with the MPEG Layer-3 codec every Windows has, through the
// Audio Compression Manager: the whole file at once, for the short effects the calculator plays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cocos2d::backend::win32 {

struct PcmSound {
  int channels = 0;
  int sampleRate = 0;
  std::vector<std::int16_t> samples;  // interleaved
};

// What the first frame header of an MPEG audio stream says, or nothing when `bytes` holds no
// Layer III frame (an ID3v2 tag before it is skipped).
struct Mp3Stream {
  std::size_t firstFrame = 0;  // offset of the first frame in the bytes
  int channels = 0;
  int sampleRate = 0;
  int bitRate = 0;      // bits per second
  int frameBytes = 0;   // of the first frame, without padding
  bool mpeg1 = false;   // else MPEG-2 or 2.5: half the samples per frame
};
bool readMp3Stream(const std::vector<std::uint8_t>& bytes, Mp3Stream& stream);

// False (with a reason) when the file cannot be read, is no MP3, or the codec is missing.
bool decodeMp3(const std::string& path, PcmSound& sound, std::string& error);

}  // namespace cocos2d::backend::win32
