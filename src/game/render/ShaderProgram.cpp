#include "render/ShaderProgram.h"
#include "core/ContentFile.h"
#include "render/SpriteBatch.h"
#include "render/GLState.h"
#include "render/Texture.h"
#include "util/FileText.h"
#include <GL/glew.h>
#include <cstdio>
#include <vector>

namespace {

GLuint currentProgram = 0;

void PrintShaderLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1) return;
    std::vector<char> log(size_t(length) + 1, '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    if (log[0]) fprintf(stderr, "%s\n", log.data());
}

void PrintProgramLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1) return;
    std::vector<char> log(size_t(length) + 1, '\0');
    glGetProgramInfoLog(program, length, nullptr, log.data());
    if (log[0]) fprintf(stderr, "%s\n", log.data());
}

// The entry points exist only from OpenGL 2.0 on; without them nothing is built.
bool HaveShaderEntryPoints()
{
    return glCreateShader && glShaderSource && glCompileShader && glCreateProgram &&
           glAttachShader && glLinkProgram && glUseProgram && glGetUniformLocation &&
           glUniform1i && glUniform1f && glUniform2f && glActiveTexture && glGetAttribLocation &&
           glVertexAttrib2f && glVertexAttribPointer && glEnableVertexAttribArray &&
           glDisableVertexAttribArray;
}

}  // namespace

TShaderProgram::TShaderProgram(const std::string& vertexFile, const std::string& fragmentFile)
{
    if (!HaveShaderEntryPoints()) {
        fprintf(stderr, "GL: shaders need OpenGL 2.0; \"%s\" not built\n", fragmentFile.c_str());
        return;
    }
    vertexShader = CompileShader(GL_VERTEX_SHADER, vertexFile);
    fragmentShader = CompileShader(GL_FRAGMENT_SHADER, fragmentFile);
    if (!vertexShader || !fragmentShader) return;

    program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    PrintProgramLog(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    usable = linked == GL_TRUE;
    if (!usable)
        fprintf(stderr, "GL: shader program \"%s\" + \"%s\" failed to link\n", vertexFile.c_str(),
                fragmentFile.c_str());
}

TShaderProgram::~TShaderProgram()
{
    if (!HaveShaderEntryPoints()) return;
    if (program && currentProgram == program) Unuse();
    if (program) glDeleteProgram(program);
    if (vertexShader) glDeleteShader(vertexShader);
    if (fragmentShader) glDeleteShader(fragmentShader);
}

uint32_t TShaderProgram::CompileShader(uint32_t kind, const std::string& name)
{
    // The player's content/shaders/... comes before the shipped file.
    GLuint shader = 0;
    LoadContentFile(name, [&](const std::string& file) {
        const std::optional<std::string> source = ReadWholeFile(file);
        if (!source) {
            fprintf(stderr, "GL: cannot read shader file \"%s\"\n", file.c_str());
            return false;
        }
        shader = glCreateShader(kind);
        const GLchar* text = source->c_str();
        GLint length = GLint(source->size());
        glShaderSource(shader, 1, &text, &length);
        glCompileShader(shader);
        PrintShaderLog(shader);
        GLint compiled = GL_FALSE;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
        if (compiled != GL_TRUE) {
            fprintf(stderr, "GL: shader \"%s\" failed to compile\n", file.c_str());
            glDeleteShader(shader);
            shader = 0;
        }
        return shader != 0;
    });
    return shader;
}

void TShaderProgram::Use()
{
    if (!usable || currentProgram == program) return;
    FlushSprites();
    currentProgram = program;
    glUseProgram(program);
}

void TShaderProgram::Unuse()
{
    if (currentProgram == 0) return;
    FlushSprites();
    currentProgram = 0;
    glUseProgram(0);
}

uint32_t TShaderProgram::CurrentProgram()
{
    return currentProgram;
}

void TShaderProgram::ResetCache()
{
    currentProgram = 0;
}

int TShaderProgram::UniformLocation(const char* name)
{
    GLint location = glGetUniformLocation(program, name);
    if (location < 0) fprintf(stderr, "GL: Failed to set uniform \"%s\"!\n", name);
    return location;
}

int TShaderProgram::AttributeLocation(const char* name) const
{
    if (!usable || !name) return -1;
    return glGetAttribLocation(program, name);
}

namespace {
// Uniforms go to the program in use: switch to it, and back afterwards.
GLuint SwitchProgram(GLuint program)
{
    GLuint previous = currentProgram;
    if (previous != program) {
        FlushSprites();
        glUseProgram(program);
        currentProgram = program;
    }
    return previous;
}
}  // namespace

void TShaderProgram::SetUniform1(const char* name, float value)
{
    if (!usable || !name) return;
    GLuint previous = SwitchProgram(program);
    GLint location = UniformLocation(name);
    if (location >= 0) glUniform1f(location, value);
    SwitchProgram(previous);
}

void TShaderProgram::SetUniform2(const char* name, float x, float y)
{
    if (!usable || !name) return;
    GLuint previous = SwitchProgram(program);
    GLint location = UniformLocation(name);
    if (location >= 0) glUniform2f(location, x, y);
    SwitchProgram(previous);
}

void TShaderProgram::SetSampler(const char* name, const TTexture* texture, int unit)
{
    if (!usable || !name || unit < 0 || unit > 7) return;
    GLuint previous = SwitchProgram(program);
    GLint location = UniformLocation(name);
    if (location >= 0) glUniform1i(location, unit);
    GLuint id = texture ? texture->id : 0;
    if (unit == 0) {
        BindTexture(id);
    } else {
        // Units other than 0 are not in the texture cache.
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, id);
        glActiveTexture(GL_TEXTURE0);
    }
    SwitchProgram(previous);
}
