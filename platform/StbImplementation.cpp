// stb's image reader and writer, compiled once for the Windows build (on Linux the stb package's
// library has them).
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>
