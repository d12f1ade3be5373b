#pragma once

#include <GL/glew.h>

#include <istream>
#include <string>

namespace GLUtils {

// The file's text with a line feed before every line and none after the last; empty when the path
// is null or the file cannot be read.
std::string readTextFile(const char* path);
std::string readTextStream(std::istream& stream);
// The sources are written once, for desktop GLSL 4.20; a browser's WebGL 2 wants GLSL ES 3.00.
enum class ShaderDialect { Desktop, Es300 };
// The source for the dialect: unchanged for the desktop; for GLSL ES, everything before and on the
// version line becomes the ES version line (which must be the very first) and a default float
// precision. A source without a version line is left as it is.
std::string adaptSource(const std::string& source, ShaderDialect dialect);
// The dialect of the current context.
ShaderDialect currentDialect();
// Compiles one stage and prints the compiler log, headed by the label (the source's path) when
// one is given; a failed compile is returned like any other.
GLuint compileShader(GLenum type, const std::string& source, const std::string& label = "");
// Print a non-empty info log on standard error, headed by the label when one is given; return the
// compile/link status.
GLint reportShaderLog(GLuint shader, const std::string& label = "");
GLint reportProgramLog(GLuint program, const std::string& label = "");
// Builds a program from two source files. Returns 0, creating nothing, when either is empty; also
// 0, with the logs printed once under the files' names and nothing left behind, when a stage does
// not compile or the two do not link.
GLuint loadShaderProgram(const char* vertexPath, const char* fragmentPath);

}  // namespace GLUtils
