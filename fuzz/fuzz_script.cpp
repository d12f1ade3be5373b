// Any bytes as a recording or script: reading stays in bounds and a recording that reads without
// error writes back to text that reads the same.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    const Script::Script script = Script::parse(stream, "fuzz");
    if (!script.error.empty() || script.version < Script::kFirstRecordingVersion) return 0;
    const std::string text = Script::write(script);
    std::istringstream again(text);
    const Script::Script reread = Script::parse(again, "fuzz");
    if (!reread.error.empty() || Script::write(reread) != text) __builtin_trap();
    return 0;
}
