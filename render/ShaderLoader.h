#pragma once

#include <GL/glew.h>

#include <istream>
#include <string>

namespace GLUtils {

// The file's text with a line feed before every line and none after the last; empty when the path
// is null or the file cannot be read.
std::string readTextFile(const char* path);
std::string readTextStream(std::istream& stream);
// Compiles one stage and prints the compiler log; a failed compile is returned like any other.
GLuint compileShader(GLenum type, const std::string& source);
// Print a non-empty info log on standard error, without prefix; return the compile/link status.
GLint reportShaderLog(GLuint shader);
GLint reportProgramLog(GLuint program);
// Builds a program from two source files. Returns 0, creating nothing, when either is empty.
GLuint loadShaderProgram(const char* vertexPath, const char* fragmentPath);

}  // namespace GLUtils
