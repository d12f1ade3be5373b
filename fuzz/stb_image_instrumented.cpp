// The decoder the game links from Debian's libstb, compiled here from the same package's header so
// that the fuzzer is guided by its branches too.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
