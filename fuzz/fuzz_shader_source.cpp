// Any bytes as a shader source file: the text handed to the compiler is every line of it, each
// after a line feed.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "render/ShaderLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream stream(text);
    const std::string source = GLUtils::readTextStream(stream);
    if (source.size() > text.size() + 1) __builtin_trap();
    if (!source.empty() && source[0] != '\n') __builtin_trap();
    return 0;
}
