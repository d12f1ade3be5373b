#pragma once

#include <cstddef>

// Calls of the global operator new since start-up, in this program (the game's own C++ code and
// the C++ library; C libraries such as the OpenGL driver allocate with malloc and are not seen).
std::size_t allocationCount();
