// Synthesis of the key click, written as a WAV for the MP3 encoder.
#pragma once

#include <string>

namespace art {

// Writes a mono 16-bit 44.1 kHz click; false with a message on failure.
bool writeClickWav(const std::string& path);

}  // namespace art
