#include "cocos/backend/win32/WavePlayer.h"

#include <algorithm>

namespace cocos2d::backend::win32 {

WavePlayer::~WavePlayer() {
  for (const auto& voice : _voices) close(*voice);
}

void WavePlayer::close(Voice& voice) {
  // Stops a voice that still sounds (a loop, or the program ending mid-click) and hands its
  // buffer back before the memory goes.
  waveOutReset(voice.device);
  waveOutUnprepareHeader(voice.device, &voice.header, sizeof(voice.header));
  waveOutClose(voice.device);
  voice.device = nullptr;
}

void WavePlayer::closeFinished() {
  _voices.erase(std::remove_if(_voices.begin(), _voices.end(),
                               [](const std::unique_ptr<Voice>& voice) {
                                 if ((voice->header.dwFlags & WHDR_DONE) == 0) return false;
                                 close(*voice);
                                 return true;
                               }),
                _voices.end());
}

WavePlayer::Result WavePlayer::play(std::vector<std::int16_t> stereo, int sampleRate, bool loop) {
  closeFinished();
  if (_voices.size() >= kMaxVoices) return Result::Busy;
  if (stereo.size() < 2 || sampleRate <= 0) return Result::Playing;  // nothing to hear
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
  format.wBitsPerSample = 16;
  format.nBlockAlign = 4;
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  auto voice = std::make_unique<Voice>();
  voice->samples = std::move(stereo);
  if (waveOutOpen(&voice->device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
    return Result::NoDevice;
  }
  WAVEHDR& header = voice->header;
  header.lpData = reinterpret_cast<LPSTR>(voice->samples.data());
  header.dwBufferLength = static_cast<DWORD>(voice->samples.size() / 2 * 4);
  if (loop) {
    header.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    header.dwLoops = 0xFFFFFFFFu;
  }
  if (waveOutPrepareHeader(voice->device, &header, sizeof(header)) != MMSYSERR_NOERROR) {
    waveOutClose(voice->device);
    return Result::NoDevice;
  }
  if (waveOutWrite(voice->device, &header, sizeof(header)) != MMSYSERR_NOERROR) {
    close(*voice);
    return Result::NoDevice;
  }
  _voices.push_back(std::move(voice));
  return Result::Playing;
}

}  // namespace cocos2d::backend::win32
