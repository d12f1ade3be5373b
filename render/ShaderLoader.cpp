#include "render/ShaderLoader.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <vector>

namespace GLUtils {
namespace {

using StatusQuery = void (*)(GLuint, GLenum, GLint*);
using LogQuery = void (*)(GLuint, GLsizei, GLsizei*, GLchar*);

// One byte of a log is its terminating zero: only longer logs say something.
constexpr GLint kEmptyLogLength = 1;

constexpr const char* kVersionDirective = "#version";
// The lines a GLSL ES 3.00 source starts with instead of the desktop version line.
constexpr const char* kEsPrologue = "#version 300 es\nprecision highp float;";
// How a GLSL ES context names its shading language.
constexpr const char* kEsLanguageMark = "GLSL ES";

GLint reportLog(GLuint object, GLenum statusName, StatusQuery query, LogQuery readLog,
                const std::string& label) {
    GLint status = 0;
    GLint logLength = 0;
    query(object, statusName, &status);
    query(object, GL_INFO_LOG_LENGTH, &logLength);
    if (logLength > kEmptyLogLength) {
        std::vector<char> log(static_cast<size_t>(logLength) + 1, '\0');
        readLog(object, logLength, nullptr, log.data());
        if (!label.empty()) std::cerr << label << ":\n";
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

std::string adaptSource(const std::string& source, ShaderDialect dialect) {
    if (dialect == ShaderDialect::Desktop) return source;
    const std::size_t version = source.find(kVersionDirective);
    if (version == std::string::npos) return source;
    const std::size_t lineEnd = source.find('\n', version);
    const std::string rest = lineEnd == std::string::npos ? "" : source.substr(lineEnd);
    return kEsPrologue + rest;
}

ShaderDialect currentDialect() {
    const auto* language = reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION));
    return language && std::strstr(language, kEsLanguageMark) ? ShaderDialect::Es300
                                                              : ShaderDialect::Desktop;
}

GLuint compileShader(GLenum type, const std::string& source, const std::string& label) {
    const GLuint shader = glCreateShader(type);
    const char* codeStr = source.c_str();
    glShaderSource(shader, 1, &codeStr, nullptr);
    glCompileShader(shader);
    reportShaderLog(shader, label);
    return shader;
}

GLint reportShaderLog(GLuint shader, const std::string& label) {
    return reportLog(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog, label);
}

GLint reportProgramLog(GLuint program, const std::string& label) {
    return reportLog(program, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog, label);
}

namespace {

GLint compileStatus(GLuint shader) {
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    return status;
}

// The program, or 0 with nothing left behind when a stage does not compile or the two do not
// link: a failed program must never be made current, since every draw and upload through it
// would be an error.
GLuint linkOrDiscard(GLuint vertexShader, GLuint fragmentShader, const std::string& label) {
    GLuint program = 0;
    if (compileStatus(vertexShader) == GL_TRUE && compileStatus(fragmentShader) == GL_TRUE) {
        program = glCreateProgram();
        glAttachShader(program, vertexShader);
        glAttachShader(program, fragmentShader);
        glLinkProgram(program);
        if (reportProgramLog(program, label) != GL_TRUE) {
            glDeleteProgram(program);
            program = 0;
        }
    }
    // Still attached to a linked program, which keeps them alive until it is deleted itself.
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    if (program == 0) std::cerr << label << ": not built; what it draws is left out" << std::endl;
    return program;
}

}  // namespace

GLuint loadShaderProgram(const char* vertexPath, const char* fragmentPath) {
    const std::string vsCode = readTextFile(vertexPath);
    const std::string fsCode = readTextFile(fragmentPath);
    if (vsCode.empty() || fsCode.empty()) return 0;
    const ShaderDialect dialect = currentDialect();
    const GLuint vertexShader =
        compileShader(GL_VERTEX_SHADER, adaptSource(vsCode, dialect), vertexPath);
    const GLuint fragmentShader =
        compileShader(GL_FRAGMENT_SHADER, adaptSource(fsCode, dialect), fragmentPath);
    return linkOrDiscard(vertexShader, fragmentShader,
                         std::string(vertexPath) + " + " + fragmentPath);
}

}  // namespace GLUtils
