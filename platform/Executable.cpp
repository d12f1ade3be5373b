#include "platform/Executable.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#elif defined(__EMSCRIPTEN__)
#include <emscripten/emscripten.h>

#include <cstdlib>
#endif

namespace Platform {

#ifdef __EMSCRIPTEN__
namespace {

// Under node the program is its script: its folder is where the script lies. A page has none.
// clang-format off
EM_JS(char*, scriptFolder, (), {
    if (typeof __dirname == 'undefined') return 0;
    return allocateUTF8(__dirname);
});
// clang-format on

}  // namespace
#endif

std::string executableFolder() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return {};
    return std::filesystem::path(path).parent_path().string();
#elif defined(__EMSCRIPTEN__)
    char* folder = scriptFolder();
    if (!folder) return {};
    const std::string result = folder;
    std::free(folder);
    return result;
#else
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return self.parent_path().string();
#endif
}

}  // namespace Platform
