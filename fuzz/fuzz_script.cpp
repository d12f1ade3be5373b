// Any bytes as a recording or script, text or compact: reading stays in bounds, and a recording
// that reads without error writes back to text that reads the same, and to a compact form that
// reads back to that text.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/CompactRecording.h"
#include "app/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream stream(bytes);
    const Script::Script script = size > 0 && CompactRecording::isLeadByte(data[0])
                                      ? CompactRecording::decode(bytes, "fuzz")
                                      : Script::parse(stream, "fuzz");
    if (!script.error.empty() || script.version < Script::kFirstRecordingVersion) return 0;
    const std::string text = Script::write(script);
    std::istringstream again(text);
    const Script::Script reread = Script::parse(again, "fuzz");
    if (!reread.error.empty() || Script::write(reread) != text) __builtin_trap();
    const std::vector<std::uint8_t> compact = CompactRecording::encode(script);
    const Script::Script decoded =
        CompactRecording::decode(std::string(compact.begin(), compact.end()), "fuzz");
    if (!decoded.error.empty() || Script::write(decoded) != text) __builtin_trap();
    return 0;
}
