#pragma once

#include <string>

namespace Platform {

// The folder of the running program's executable, or empty when the system cannot tell.
std::string executableFolder();

}  // namespace Platform
