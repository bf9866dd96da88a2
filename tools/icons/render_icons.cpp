// Renders the scalable application icon to the PNG sizes of the hicolor icon theme.
// usage: render_icons ICON.svg OUTPUT_DIR  (writes OUTPUT_DIR/NxN.png)
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: render_icons ICON.svg OUTPUT_DIR\n");
    return 2;
  }
  const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
  for (int size : sizes) {
    SDL_RWops* source = SDL_RWFromFile(argv[1], "rb");
    if (!source) {
      std::fprintf(stderr, "render_icons: cannot read %s\n", argv[1]);
      return 1;
    }
    SDL_Surface* image = IMG_LoadSizedSVG_RW(source, size, size);
    SDL_RWclose(source);
    if (!image) {
      std::fprintf(stderr, "render_icons: %s\n", IMG_GetError());
      return 1;
    }
    const std::string out = std::string(argv[2]) + "/" + std::to_string(size) + "x" + std::to_string(size) + ".png";
    const int failed = IMG_SavePNG(image, out.c_str());
    SDL_FreeSurface(image);
    if (failed) {
      std::fprintf(stderr, "render_icons: cannot write %s\n", out.c_str());
      return 1;
    }
  }
  return 0;
}
