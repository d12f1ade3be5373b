# The browser build's libraries under the names the Linux build finds them by: emscripten's own
# GLFW, its OpenGL ES 3 on WebGL 2 and its GLEW stand-in (all from emscripten's prebuilt system
# libraries; its downloaded "ports" are not used), GLM and stb from the Linux packages' headers
# (without the rest of /usr/include), stb's implementation compiled here.
set(KELVARIN_WEB_INCLUDE ${CMAKE_BINARY_DIR}/web-include)
file(MAKE_DIRECTORY ${KELVARIN_WEB_INCLUDE})
file(CREATE_LINK /usr/include/glm ${KELVARIN_WEB_INCLUDE}/glm SYMBOLIC)

add_library(OpenGL::GL INTERFACE IMPORTED)
add_library(GLEW::GLEW INTERFACE IMPORTED)
add_library(glfw INTERFACE IMPORTED)
add_library(glm::glm INTERFACE IMPORTED)
set_target_properties(glm::glm PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${KELVARIN_WEB_INCLUDE})

add_library(kelvarin_stb STATIC ${PROJECT_SOURCE_DIR}/platform/StbImplementation.cpp)
target_include_directories(kelvarin_stb SYSTEM PUBLIC /usr/include/stb)
add_library(PkgConfig::STB INTERFACE IMPORTED)
set_target_properties(PkgConfig::STB PROPERTIES INTERFACE_LINK_LIBRARIES kelvarin_stb)

# Every program: the window library, WebGL 2 only (its GLSL ES 3.00 is what the shaders are adapted
# to), and a heap that grows as the models and textures need.
add_link_options(-sUSE_GLFW=3 -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 -sALLOW_MEMORY_GROWTH=1)
