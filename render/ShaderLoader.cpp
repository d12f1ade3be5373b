#include "render/ShaderLoader.h"

#include <fstream>
#include <iostream>
#include <vector>

namespace GLUtils {
namespace {

using StatusQuery = void (*)(GLuint, GLenum, GLint*);
using LogQuery = void (*)(GLuint, GLsizei, GLsizei*, GLchar*);

// One byte of a log is its terminating zero: only longer logs say something.
constexpr GLint kEmptyLogLength = 1;

GLint reportLog(GLuint object, GLenum statusName, StatusQuery query, LogQuery readLog) {
    GLint status = 0;
    GLint logLength = 0;
    query(object, statusName, &status);
    query(object, GL_INFO_LOG_LENGTH, &logLength);
    if (logLength > kEmptyLogLength) {
        std::vector<char> log(static_cast<size_t>(logLength) + 1, '\0');
        readLog(object, logLength, nullptr, log.data());
        std::cerr << log.data() << std::endl;
    }
    return status;
}

}  // namespace

std::string readTextFile(const char* path) {
    if (!path) return std::string();
    std::ifstream stream(path);
    if (!stream.is_open()) return std::string();
    return readTextStream(stream);
}

std::string readTextStream(std::istream& stream) {
    std::string result;
    std::string line;
    while (std::getline(stream, line)) {
        result += "\n";
        result += line;
    }
    return result;
}

GLuint compileShader(GLenum type, const std::string& source) {
    const GLuint shader = glCreateShader(type);
    const char* codeStr = source.c_str();
    glShaderSource(shader, 1, &codeStr, nullptr);
    glCompileShader(shader);
    reportShaderLog(shader);
    return shader;
}

GLint reportShaderLog(GLuint shader) {
    return reportLog(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog);
}

GLint reportProgramLog(GLuint program) {
    return reportLog(program, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog);
}

GLuint loadShaderProgram(const char* vertexPath, const char* fragmentPath) {
    const std::string vsCode = readTextFile(vertexPath);
    const std::string fsCode = readTextFile(fragmentPath);
    GLuint program = 0;
    if (vsCode.empty() || fsCode.empty()) return program;

    const GLuint vertexShader = compileShader(GL_VERTEX_SHADER, vsCode);
    const GLuint fragmentShader = compileShader(GL_FRAGMENT_SHADER, fsCode);
    program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    reportProgramLog(program);
    // Still attached, so the program keeps them alive until it is deleted itself.
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    return program;
}

}  // namespace GLUtils
