# The Windows build's libraries, under the same names the Linux build finds them by: GLFW and
# GLEW built statically from Debian's sources into KELVARIN_WINDOWS_DEPS by
# scripts/build-windows.sh, GLM and stb from the Linux packages' headers (linked there), and
# stb's implementation compiled here. Programs link statically (only Windows' DLLs remain).
find_package(OpenGL REQUIRED)
find_package(glfw3 3.3 REQUIRED)

add_library(GLEW::GLEW STATIC IMPORTED)
set_target_properties(GLEW::GLEW PROPERTIES
    IMPORTED_LOCATION ${KELVARIN_WINDOWS_DEPS}/lib/libglew32.a
    INTERFACE_INCLUDE_DIRECTORIES ${KELVARIN_WINDOWS_DEPS}/include
    INTERFACE_COMPILE_DEFINITIONS GLEW_STATIC
    INTERFACE_LINK_LIBRARIES OpenGL::GL)

add_library(glm::glm INTERFACE IMPORTED)
set_target_properties(glm::glm PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${KELVARIN_WINDOWS_DEPS}/include)

add_library(kelvarin_stb STATIC ${PROJECT_SOURCE_DIR}/platform/StbImplementation.cpp)
target_include_directories(kelvarin_stb PUBLIC ${KELVARIN_WINDOWS_DEPS}/include/stb)
add_library(PkgConfig::STB INTERFACE IMPORTED)
set_target_properties(PkgConfig::STB PROPERTIES INTERFACE_LINK_LIBRARIES kelvarin_stb)

add_link_options(-static)
