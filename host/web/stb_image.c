// stb_image.c: stb_image's implementation for the browser build, from
// Debian's header (the desktop links Debian's libstb instead).
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
