#include "sound.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace art {

namespace {

constexpr int kRate = 44100;
// Short enough that the encoded MP3 fits in two frames (52 ms) even with
// the encoder's start-up delay; the tail is inaudible well before this.
constexpr double kLength = 0.025;
constexpr double kAttack = 0.003;
constexpr double kDecay = 0.0045;   // time constant of the tone
constexpr double kPeakDb = -12.0;   // a soft click, never near clipping
constexpr double kPi = 3.14159265358979323846;

void put16(std::FILE* f, uint16_t v) {
    unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

void put32(std::FILE* f, uint32_t v) {
    put16(f, static_cast<uint16_t>(v));
    put16(f, static_cast<uint16_t>(v >> 16));
}

}  // namespace

bool writeClickWav(const std::string& path) {
    const int n = static_cast<int>(kLength * kRate);
    std::vector<double> s(static_cast<size_t>(n));
    // Fixed-seed xorshift so the noise transient, and therefore the file,
    // is identical on every run.
    uint32_t state = 0x9E3779B9u;
    double prevNoise = 0.0, smooth = 0.0, peak = 0.0;
    for (int i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / kRate;
        double rise = t < kAttack ? std::pow(std::sin(0.5 * kPi * t / kAttack), 2.0) : 1.0;
        double tone = std::sin(2 * kPi * 2600.0 * t) + 0.35 * std::sin(2 * kPi * 3900.0 * t + 0.5);
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        double noise = static_cast<double>(state) / 4294967295.0 * 2.0 - 1.0;
        // Differencing the noise keeps only its bright part: a tiny tick
        // at the start rather than a hiss.
        double tick = (noise - prevNoise) * std::exp(-t / 0.0007);
        prevNoise = noise;
        double v = rise * std::exp(-t / kDecay) * tone + 0.25 * tick;
        // One-pole low-pass (about 6 kHz) takes the edge off.
        smooth += 0.6 * (v - smooth);
        s[static_cast<size_t>(i)] = smooth;
        peak = std::max(peak, std::fabs(smooth));
    }
    const double gain = std::pow(10.0, kPeakDb / 20.0) / peak;
    const int fade = kRate * 3 / 1000;  // end exactly on silence

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    const uint32_t dataBytes = static_cast<uint32_t>(n * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1);  // PCM
    put16(f, 1);  // mono
    put32(f, kRate);
    put32(f, kRate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, dataBytes);
    for (int i = 0; i < n; ++i) {
        double v = s[static_cast<size_t>(i)] * gain;
        if (i >= n - fade) v *= static_cast<double>(n - 1 - i) / fade;
        put16(f, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))));
    }
    bool ok = std::fclose(f) == 0;
    if (!ok) std::perror(path.c_str());
    return ok;
}

}  // namespace art
