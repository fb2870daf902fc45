#pragma once
#include <cstdint>
#include <string>

struct TTexture;

// A GLSL program built from a vertex and a fragment shader file. Compiler and
// linker messages go to stderr; a program that could not be built is unusable,
// and then every call on it does nothing.
class TShaderProgram {
public:
    TShaderProgram(const std::string& vertexFile, const std::string& fragmentFile);
    ~TShaderProgram();
    TShaderProgram(const TShaderProgram&) = delete;
    TShaderProgram& operator=(const TShaderProgram&) = delete;

    bool IsUsable() const { return usable; }
    uint32_t Id() const { return program; }

    void Use();
    // Back to the fixed-function pipeline.
    static void Unuse();
    // The program in use as far as the shader cache knows (0: fixed function).
    static uint32_t CurrentProgram();
    // Forgets the cache, for a fresh context.
    static void ResetCache();

    // Uniforms are set with this program in use; the previous program is restored
    // afterwards. A name the program lacks reports "GL: Failed to set uniform" and is skipped.
    void SetUniform1(const char* name, float value);
    void SetUniform2(const char* name, float x, float y);
    // Where the vertex shader's attribute of that name is fed; -1 when the
    // program lacks it or is unusable.
    int AttributeLocation(const char* name) const;
    // Binds the texture to the unit and points the sampler at it; the active unit
    // is unit 0 again afterwards.
    void SetSampler(const char* name, const TTexture* texture, int unit);

private:
    uint32_t CompileShader(uint32_t kind, const std::string& name);
    int UniformLocation(const char* name);

    uint32_t program = 0;
    uint32_t vertexShader = 0;
    uint32_t fragmentShader = 0;
    bool usable = false;
};
