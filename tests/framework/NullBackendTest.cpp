// The backend that touches no system: image sizes from PNG headers (the SDL backend reads them
// the same way), its clipboard, and a wait that serves the wait sources and lets time pass.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cocos/backend/null/NullBackend.h"

namespace {

using namespace cocos2d::backend;

// The first 24 bytes of a PNG: signature, then the IHDR chunk's length, type, width, height.
std::string pngHeader(unsigned width, unsigned height, const char* type = "IHDR", unsigned length = 13) {
  std::string bytes("\x89PNG\r\n\x1A\n", 8);
  const auto be32 = [&bytes](unsigned v) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>((v >> shift) & 0xFF));
  };
  be32(length);
  bytes += type;
  be32(width);
  be32(height);
  return bytes;
}

TEST(NullBackend, ImagesAreSizedFromTheirPngHeader) {
  const struct {
    const char* what;
    std::string bytes;
    int width, height;  // 0: not an image
  } cases[] = {
      {"a key image", pngHeader(208, 152), 208, 152},
      {"followed by more data", pngHeader(1, 65535) + std::string(100, '\0'), 1, 65535},
      {"too wide for a texture", pngHeader(65536, 10), 0, 0},
      {"no width", pngHeader(0, 10), 0, 0},
      {"another chunk first", pngHeader(20, 10, "tEXt"), 0, 0},
      {"a bad chunk length", pngHeader(20, 10, "IHDR", 12), 0, 0},
      {"cut short", pngHeader(20, 10).substr(0, 23), 0, 0},
      {"not a PNG", "GIF89a and some more bytes to fill 24", 0, 0},
      {"empty", "", 0, 0},
  };
  null::NullDrawing drawing;
  const std::string path = testing::TempDir() + "pemtrix_null_image.png";
  for (const auto& c : cases) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(c.bytes.data(), 1, c.bytes.size(), f);
    std::fclose(f);
    int width = -1, height = -1;
    const TextureId id = drawing.loadImage(path, width, height);
    const std::vector<int> loaded = id != 0 ? std::vector<int>{width, height} : std::vector<int>{0, 0};
    EXPECT_EQ(loaded, (std::vector<int>{c.width, c.height})) << c.what;
  }
  std::remove(path.c_str());
  int width = 0, height = 0;
  EXPECT_EQ(drawing.loadImage(path, width, height), 0u) << "a missing file";
}

TEST(NullBackend, ClipboardKeepsBytesAndEmptyMeansNoText) {
  null::NullDesktop desktop;
  std::string text = "unchanged";
  EXPECT_FALSE(desktop.getClipboardText(text));
  const std::string bytes("\x01\xFF\xE6\x97\xA5", 5);
  desktop.setClipboardText(bytes);
  ASSERT_TRUE(desktop.getClipboardText(text));
  EXPECT_EQ(text, bytes);
  desktop.setClipboardText("");
  EXPECT_FALSE(desktop.getClipboardText(text));
}

// A source that allows waits of at most `limit` milliseconds and counts how it is served.
class CountingSource : public WaitSource {
 public:
  explicit CountingSource(int limit) : _limit(limit) {}
  int prepareWait(std::vector<WaitDescriptor>& descriptors) override {
    ++prepared;
    descriptors.push_back(WaitDescriptor{7, 1, 0});
    return _limit;
  }
  void finishWait(const WaitDescriptor* descriptors, std::size_t count) override {
    ++finished;
    happened += count == 1 ? descriptors[0].revents : 100;
  }
  int prepared = 0, finished = 0, happened = 0;

 private:
  int _limit;
};

TEST(NullBackend, WaitingServesTheSourcesAndTimePassesByTheWholeTimeout) {
  null::NullWindow window;
  window.setClock(1000);
  window.waitForEvent(-1);
  EXPECT_EQ(window.monotonicNanoseconds(), 1000u) << "no timeout, nothing to wait for";
  window.waitForEvent(16);
  EXPECT_EQ(window.monotonicNanoseconds(), 1000u + 16000000u);

  CountingSource unlimited(-1), fiveMilliseconds(5);
  window.addWaitSource(&unlimited);
  window.addWaitSource(&fiveMilliseconds);
  window.setClock(0);
  window.waitForEvent(16);
  EXPECT_EQ(window.monotonicNanoseconds(), 5000000u) << "the shortest wait a source allows";
  window.waitForEvent(-1);
  EXPECT_EQ(window.monotonicNanoseconds(), 10000000u);
  for (const CountingSource* source : {&unlimited, &fiveMilliseconds}) {
    EXPECT_EQ(source->prepared, 2);
    EXPECT_EQ(source->finished, 2);
    EXPECT_EQ(source->happened, 0) << "told of its own descriptor, on which nothing happened";
  }
  window.removeWaitSource(&fiveMilliseconds);
  window.waitForEvent(16);
  EXPECT_EQ(window.monotonicNanoseconds(), 26000000u);
  EXPECT_EQ(fiveMilliseconds.prepared, 2);
}

}  // namespace
