#include "cocos/backend/win32/Mp3Decoder.h"

// The order matters: msacm.h needs the wave formats of mmreg.h, which needs mmsystem.h.
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <algorithm>
#include <cstdio>

#include "cocos/base/Files.h"

namespace cocos2d::backend::win32 {
namespace {

// Layer III bit rates in kbit/s by index, for MPEG-1 and for MPEG-2 and 2.5.
constexpr int kBitRates[2][16] = {
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1},
};
constexpr int kSampleRates[3] = {44100, 48000, 32000};  // MPEG-1; halved for 2, quartered for 2.5

// The frame header at `at`, when there is one.
bool readHeader(const std::vector<std::uint8_t>& bytes, std::size_t at, Mp3Stream& stream) {
  if (at + 4 > bytes.size() || bytes[at] != 0xFF || (bytes[at + 1] & 0xE0) != 0xE0) return false;
  const int version = (bytes[at + 1] >> 3) & 3;  // 0: 2.5, 2: 2, 3: 1
  const int layer = (bytes[at + 1] >> 1) & 3;    // 1: Layer III
  const int rateIndex = bytes[at + 2] >> 4;
  const int sampleIndex = (bytes[at + 2] >> 2) & 3;
  if (version == 1 || layer != 1 || sampleIndex == 3) return false;
  const bool mpeg1 = version == 3;
  const int bitRate = kBitRates[mpeg1 ? 0 : 1][rateIndex];
  if (bitRate <= 0) return false;  // free format or invalid
  stream.firstFrame = at;
  stream.mpeg1 = mpeg1;
  stream.sampleRate = kSampleRates[sampleIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
  stream.bitRate = bitRate * 1000;
  stream.channels = (bytes[at + 3] >> 6) == 3 ? 1 : 2;
  stream.frameBytes = (mpeg1 ? 144 : 72) * stream.bitRate / stream.sampleRate;
  return true;
}

// Bytes past an ID3v2 tag, which holds no audio (and may hold bytes that look like a frame).
std::size_t afterTag(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 10 || bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3') return 0;
  std::size_t size = 0;
  for (int i = 6; i < 10; ++i) size = size << 7 | (bytes[static_cast<std::size_t>(i)] & 0x7Fu);
  const bool footer = (bytes[5] & 0x10) != 0;
  return 10 + size + (footer ? 10 : 0);
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = cocos2d::files::openFile(path, "rb");
  if (!file) return false;
  std::uint8_t chunk[16384];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

// Feeds the frames to an open ACM stream and gathers what it gives.
bool convert(HACMSTREAM stream, const std::uint8_t* data, DWORD size, std::vector<std::uint8_t>& out) {
  constexpr DWORD kChunk = 16384;  // bytes of MP3 per call
  std::vector<BYTE> source(kChunk), target;
  DWORD targetSize = 0;
  if (acmStreamSize(stream, kChunk, &targetSize, ACM_STREAMSIZEF_SOURCE) != 0 || targetSize == 0) return false;
  target.resize(targetSize);
  DWORD offset = 0;
  DWORD flags = ACM_STREAMCONVERTF_START;
  for (;;) {
    const DWORD length = std::min(kChunk, size - offset);
    // The last call says that the input ends, so that the codec gives what it holds back.
    const bool end = offset + length >= size;
    std::copy(data + offset, data + offset + length, source.begin());
    ACMSTREAMHEADER header{};
    header.cbStruct = sizeof(header);
    header.pbSrc = source.data();
    header.cbSrcLength = length;
    header.pbDst = target.data();
    header.cbDstLength = targetSize;
    if (acmStreamPrepareHeader(stream, &header, 0) != 0) return false;
    const MMRESULT converted = acmStreamConvert(stream, &header, flags | (end ? ACM_STREAMCONVERTF_END : 0));
    out.insert(out.end(), target.begin(), target.begin() + header.cbDstLengthUsed);
    const DWORD used = header.cbSrcLengthUsed;
    acmStreamUnprepareHeader(stream, &header, 0);
    if (converted != 0) return false;
    if (end) break;
    // The codec takes whole frames; what it left is offered again with the next chunk.
    if (used == 0) return false;
    offset += used;
    flags = 0;
  }
  return true;
}

}  // namespace

bool readMp3Stream(const std::vector<std::uint8_t>& bytes, Mp3Stream& stream) {
  for (std::size_t at = afterTag(bytes); at + 4 <= bytes.size(); ++at) {
    if (!readHeader(bytes, at, stream)) continue;
    // A real frame is followed by another (or by the end): random bytes seldom are.
    const std::size_t next = at + static_cast<std::size_t>(stream.frameBytes) + ((bytes[at + 2] >> 1) & 1);
    Mp3Stream following;
    if (next + 4 > bytes.size() || readHeader(bytes, next, following)) return true;
  }
  return false;
}

bool decodeMp3(const std::string& path, PcmSound& sound, std::string& error) {
  std::vector<std::uint8_t> bytes;
  Mp3Stream stream;
  if (!readFile(path, bytes)) {
    error = "cannot read " + path;
    return false;
  }
  if (!readMp3Stream(bytes, stream) || bytes.size() - stream.firstFrame > 0x7FFFFFFF) {
    error = path + " is no MP3 file";
    return false;
  }
  MPEGLAYER3WAVEFORMAT mp3{};
  mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
  mp3.wfx.nChannels = static_cast<WORD>(stream.channels);
  mp3.wfx.nSamplesPerSec = static_cast<DWORD>(stream.sampleRate);
  mp3.wfx.nAvgBytesPerSec = static_cast<DWORD>(stream.bitRate / 8);
  mp3.wfx.nBlockAlign = 1;
  mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
  mp3.wID = MPEGLAYER3_ID_MPEG;
  mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO;
  mp3.nBlockSize = static_cast<WORD>(stream.frameBytes);
  mp3.nFramesPerBlock = 1;
  mp3.nCodecDelay = 1393;  // what the system's own encoder writes; the decoder does not use it
  WAVEFORMATEX pcm{};
  pcm.wFormatTag = WAVE_FORMAT_PCM;
  pcm.nChannels = mp3.wfx.nChannels;
  pcm.nSamplesPerSec = mp3.wfx.nSamplesPerSec;
  pcm.wBitsPerSample = 16;
  pcm.nBlockAlign = static_cast<WORD>(pcm.nChannels * 2);
  pcm.nAvgBytesPerSec = pcm.nSamplesPerSec * pcm.nBlockAlign;
  HACMSTREAM acm = nullptr;
  if (acmStreamOpen(&acm, nullptr, &mp3.wfx, &pcm, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) != 0) {
    error = "the system has no MP3 decoder";
    return false;
  }
  std::vector<std::uint8_t> out;
  const bool converted = convert(acm, bytes.data() + stream.firstFrame,
                                 static_cast<DWORD>(bytes.size() - stream.firstFrame), out);
  acmStreamClose(acm, 0);
  if (!converted || out.size() < 2) {
    error = "cannot decode " + path;
    return false;
  }
  sound.channels = stream.channels;
  sound.sampleRate = stream.sampleRate;
  sound.samples.resize(out.size() / 2);
  std::copy(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(sound.samples.size() * 2),
            reinterpret_cast<std::uint8_t*>(sound.samples.data()));
  return true;
}

}  // namespace cocos2d::backend::win32
