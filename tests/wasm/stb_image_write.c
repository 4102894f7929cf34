// stb_image_write.c: stb_image_write's implementation for the tests under
// node, from Debian's header (the desktop links Debian's libstb instead).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
