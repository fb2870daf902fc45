// The `gl` table: the slice of fixed-function OpenGL that scripts may draw with.
// Functions drop the gl prefix (gl.Begin), constants the GL_ prefix (gl.QUADS).
// Every enum argument takes either the number or the constant's name as a
// string ("QUADS"); bit masks also take several names joined by commas.
#include "render/GLState.h"
#include "render/SpriteBatch.h"
#include "script/ApiRegistry.h"
#include <GL/gl.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <lua.hpp>

namespace {
struct GlConstant {
    const char* name;
    GLenum value;
};

constexpr GlConstant kConstants[] = {
    // primitives
    {"POINTS", GL_POINTS},
    {"LINES", GL_LINES},
    {"LINE_LOOP", GL_LINE_LOOP},
    {"LINE_STRIP", GL_LINE_STRIP},
    {"TRIANGLES", GL_TRIANGLES},
    {"TRIANGLE_STRIP", GL_TRIANGLE_STRIP},
    {"TRIANGLE_FAN", GL_TRIANGLE_FAN},
    {"QUADS", GL_QUADS},
    {"QUAD_STRIP", GL_QUAD_STRIP},
    {"POLYGON", GL_POLYGON},
    // capabilities
    {"BLEND", GL_BLEND},
    {"TEXTURE_2D", GL_TEXTURE_2D},
    {"ALPHA_TEST", GL_ALPHA_TEST},
    {"CULL_FACE", GL_CULL_FACE},
    {"LINE_SMOOTH", GL_LINE_SMOOTH},
    {"POINT_SMOOTH", GL_POINT_SMOOTH},
    {"DEPTH_TEST", GL_DEPTH_TEST},
    {"SCISSOR_TEST", GL_SCISSOR_TEST},
    // matrix stacks
    {"MODELVIEW", GL_MODELVIEW},
    {"PROJECTION", GL_PROJECTION},
    {"TEXTURE", GL_TEXTURE},
    // blend factors
    {"ZERO", GL_ZERO},
    {"ONE", GL_ONE},
    {"SRC_COLOR", GL_SRC_COLOR},
    {"ONE_MINUS_SRC_COLOR", GL_ONE_MINUS_SRC_COLOR},
    {"DST_COLOR", GL_DST_COLOR},
    {"ONE_MINUS_DST_COLOR", GL_ONE_MINUS_DST_COLOR},
    {"SRC_ALPHA", GL_SRC_ALPHA},
    {"ONE_MINUS_SRC_ALPHA", GL_ONE_MINUS_SRC_ALPHA},
    {"DST_ALPHA", GL_DST_ALPHA},
    {"ONE_MINUS_DST_ALPHA", GL_ONE_MINUS_DST_ALPHA},
    // clear masks
    {"COLOR_BUFFER_BIT", GL_COLOR_BUFFER_BIT},
    {"DEPTH_BUFFER_BIT", GL_DEPTH_BUFFER_BIT},
    // errors
    {"NO_ERROR", GL_NO_ERROR},
    {"INVALID_ENUM", GL_INVALID_ENUM},
    {"INVALID_VALUE", GL_INVALID_VALUE},
    {"INVALID_OPERATION", GL_INVALID_OPERATION},
    {"STACK_OVERFLOW", GL_STACK_OVERFLOW},
    {"STACK_UNDERFLOW", GL_STACK_UNDERFLOW},
    {"OUT_OF_MEMORY", GL_OUT_OF_MEMORY},
};

bool FindConstant(const char* name, size_t length, GLenum* value)
{
    for (const GlConstant& constant : kConstants) {
        if (std::strlen(constant.name) == length && std::strncmp(constant.name, name, length) == 0) {
            *value = constant.value;
            return true;
        }
    }
    return false;
}

// Reads an enum argument given as a number or a constant name.
GLenum CheckEnum(lua_State* L, int index)
{
    if (lua_type(L, index) == LUA_TNUMBER) return static_cast<GLenum>(lua_tointeger(L, index));
    if (lua_type(L, index) == LUA_TSTRING) {
        size_t length = 0;
        const char* name = lua_tolstring(L, index, &length);
        GLenum value = 0;
        if (!FindConstant(name, length, &value))
            luaL_error(L, "gl: unknown constant '%s' (argument #%d)", name, index);
        return value;
    }
    luaL_typerror(L, index, "number or gl constant name");
    return 0;
}

// Reads a bit mask: a number, a constant name, or names joined by commas.
GLbitfield CheckMask(lua_State* L, int index)
{
    if (lua_type(L, index) != LUA_TSTRING) return static_cast<GLbitfield>(CheckEnum(L, index));
    size_t length = 0;
    const char* text = lua_tolstring(L, index, &length);
    GLbitfield mask = 0;
    size_t start = 0;
    while (start <= length) {
        size_t end = start;
        while (end < length && text[end] != ',') ++end;
        size_t first = start;
        size_t last = end;
        while (first < last && text[first] == ' ') ++first;
        while (last > first && text[last - 1] == ' ') --last;
        GLenum value = 0;
        if (!FindConstant(text + first, last - first, &value)) {
            char name[64] = {};
            std::memcpy(name, text + first, std::min(last - first, sizeof name - 1));
            luaL_error(L, "gl: unknown constant '%s' (argument #%d)", name, index);
        }
        mask |= value;
        start = end + 1;
    }
    return mask;
}

GLfloat CheckFloat(lua_State* L, int index)
{
    return static_cast<GLfloat>(luaL_checknumber(L, index));
}

// The engine caches blend mode, colour and bound texture so that repeated
// setters cost nothing. Colour and 2D texture changes from scripts go through
// those setters, so the caches stay true. Blend changes cannot be expressed as
// an engine blend mode: afterwards the caches are reset, keeping the bound
// texture as it really is, so the engine's next blend mode is issued again.
// (The reset believes mode 4, so a following request for exactly mode 4 is
// still skipped; a cache that can be marked unknown would close that gap.)
void ForgetCachedBlendState()
{
    ForgetBlendModeCache();
}

bool TouchesBlendState(GLenum capability)
{
    return capability == GL_BLEND || capability == GL_ALPHA_TEST;
}

int ArgumentCount(lua_State* L, const char* function, int least, int most)
{
    const int count = lua_gettop(L);
    if (count < least || count > most)
        luaL_error(L, "gl.%s: expected %d to %d arguments, got %d", function, least, most, count);
    return count;
}

int Begin(lua_State* L)
{
    glBegin(CheckEnum(L, 1));
    return 0;
}

int End(lua_State*)
{
    glEnd();
    return 0;
}

int Vertex(lua_State* L)
{
    const int count = ArgumentCount(L, "Vertex", 2, 4);
    const double x = luaL_checknumber(L, 1);
    const double y = luaL_checknumber(L, 2);
    if (count == 2) {
        glVertex2d(x, y);
    } else if (count == 3) {
        glVertex3d(x, y, luaL_checknumber(L, 3));
    } else {
        const double z = luaL_checknumber(L, 3);
        glVertex4d(x, y, z, luaL_checknumber(L, 4));
    }
    return 0;
}

int TexCoord(lua_State* L)
{
    const int count = ArgumentCount(L, "TexCoord", 1, 2);
    const double s = luaL_checknumber(L, 1);
    if (count == 1)
        glTexCoord1d(s);
    else
        glTexCoord2d(s, luaL_checknumber(L, 2));
    return 0;
}

int Color(lua_State* L)
{
    const int count = ArgumentCount(L, "Color", 3, 4);
    const double r = luaL_checknumber(L, 1);
    const double g = luaL_checknumber(L, 2);
    const double b = luaL_checknumber(L, 3);
    const double a = count == 4 ? luaL_checknumber(L, 4) : 1.0;
    SetColor(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b),
             static_cast<float>(a));
    return 0;
}

int PushMatrix(lua_State*)
{
    glPushMatrix();
    return 0;
}

int PopMatrix(lua_State*)
{
    glPopMatrix();
    return 0;
}

int Translate(lua_State* L)
{
    glTranslated(luaL_checknumber(L, 1), luaL_checknumber(L, 2), luaL_checknumber(L, 3));
    return 0;
}

int Rotate(lua_State* L)
{
    const double angle = luaL_checknumber(L, 1);
    glRotated(angle, luaL_checknumber(L, 2), luaL_checknumber(L, 3), luaL_checknumber(L, 4));
    return 0;
}

int Scale(lua_State* L)
{
    glScaled(luaL_checknumber(L, 1), luaL_checknumber(L, 2), luaL_checknumber(L, 3));
    return 0;
}

int LoadIdentity(lua_State*)
{
    glLoadIdentity();
    return 0;
}

int MatrixMode(lua_State* L)
{
    glMatrixMode(CheckEnum(L, 1));
    return 0;
}

int Enable(lua_State* L)
{
    const GLenum capability = CheckEnum(L, 1);
    glEnable(capability);
    if (TouchesBlendState(capability)) ForgetCachedBlendState();
    return 0;
}

int Disable(lua_State* L)
{
    const GLenum capability = CheckEnum(L, 1);
    glDisable(capability);
    if (TouchesBlendState(capability)) ForgetCachedBlendState();
    return 0;
}

int BlendFunc(lua_State* L)
{
    const GLenum source = CheckEnum(L, 1);
    const GLenum destination = CheckEnum(L, 2);
    glBlendFunc(source, destination);
    ForgetCachedBlendState();
    return 0;
}

int LineWidth(lua_State* L)
{
    glLineWidth(CheckFloat(L, 1));
    return 0;
}

int PointSize(lua_State* L)
{
    glPointSize(CheckFloat(L, 1));
    return 0;
}

int Clear(lua_State* L)
{
    glClear(CheckMask(L, 1));
    return 0;
}

int ClearColor(lua_State* L)
{
    const GLfloat r = CheckFloat(L, 1);
    const GLfloat g = CheckFloat(L, 2);
    const GLfloat b = CheckFloat(L, 3);
    glClearColor(r, g, b, CheckFloat(L, 4));
    return 0;
}

int BindTexture(lua_State* L)
{
    const GLenum target = CheckEnum(L, 1);
    const lua_Integer id = luaL_checkinteger(L, 2);
    if (id < 0) luaL_argerror(L, 2, "texture id must not be negative");
    if (target == GL_TEXTURE_2D)
        ::BindTexture(static_cast<uint32_t>(id));
    else
        glBindTexture(target, static_cast<GLuint>(id));
    return 0;
}

int GetError(lua_State* L)
{
    lua_pushinteger(L, static_cast<lua_Integer>(glGetError()));
    return 1;
}

// Each function with the call and the line docs/lua-api.md shows for it.
struct GlFunction {
    const char* name;
    lua_CFunction func;
    const char* call;
    const char* description;
};

constexpr GlFunction kFunctions[] = {
    {"Begin", Begin, "(mode)",
     "Starts a primitive of the given mode (gl.QUADS, \"TRIANGLES\", ...); glBegin."},
    {"End", End, "()",
     "Ends the primitive begun; glEnd."},
    {"Vertex", Vertex, "(x, y [, z [, w]])",
     "A vertex of the primitive being drawn; glVertex."},
    {"TexCoord", TexCoord, "(s [, t])",
     "The texture coordinate of the next vertex; glTexCoord."},
    {"Color", Color, "(r, g, b [, a])",
     "The colour (0..1) of the next vertices, through the engine's colour cache; glColor."},
    {"PushMatrix", PushMatrix, "()",
     "Saves the current matrix; glPushMatrix."},
    {"PopMatrix", PopMatrix, "()",
     "Restores the matrix saved last; glPopMatrix."},
    {"Translate", Translate, "(x, y, z)",
     "Moves the current matrix; glTranslate."},
    {"Rotate", Rotate, "(degrees, x, y, z)",
     "Turns the current matrix about the axis (x, y, z); glRotate."},
    {"Scale", Scale, "(x, y, z)",
     "Scales the current matrix; glScale."},
    {"LoadIdentity", LoadIdentity, "()",
     "Resets the current matrix; glLoadIdentity."},
    {"MatrixMode", MatrixMode, "(mode)",
     "Chooses the matrix the next calls change (gl.MODELVIEW, gl.PROJECTION, gl.TEXTURE); glMatrixMode."},
    {"Enable", Enable, "(capability)",
     "Switches a capability on (gl.BLEND, gl.TEXTURE_2D, ...); the engine's blend cache is reset after a blend change; glEnable."},
    {"Disable", Disable, "(capability)",
     "Switches a capability off; glDisable."},
    {"BlendFunc", BlendFunc, "(source, destination)",
     "The blend factors (gl.SRC_ALPHA, \"ONE\", ...); the engine's blend cache is reset; glBlendFunc."},
    {"LineWidth", LineWidth, "(width)",
     "The width of lines in pixels; glLineWidth."},
    {"PointSize", PointSize, "(size)",
     "The size of points in pixels; glPointSize."},
    {"Clear", Clear, "(mask)",
     "Clears the buffers named by the mask (gl.COLOR_BUFFER_BIT, or names joined by commas); glClear."},
    {"ClearColor", ClearColor, "(r, g, b, a)",
     "The colour Clear fills with; glClearColor."},
    {"BindTexture", BindTexture, "(target, id)",
     "Binds texture `id` (not negative) to the target; 2D textures through the engine's cache; glBindTexture."},
    {"GetError", GetError, "() -> code",
     "The oldest OpenGL error not yet read (gl.NO_ERROR when none); glGetError."},
};
}

namespace {
// Every gl function first sends the sprites the engine kept back, so a script
// drawing on its own sees them already drawn, in order.
int AfterKeptSprites(lua_State* L)
{
    FlushSprites();
    const auto index = static_cast<size_t>(lua_tointeger(L, lua_upvalueindex(1)));
    return kFunctions[index].func(L);
}
}  // namespace

void RegisterGlBinding(lua_State* L)
{
    BeginApiGroup("The gl table",
                  "The slice of fixed-function OpenGL that scripts may draw with, in their draw callbacks. Functions drop the gl prefix, "
                  "constants the GL_ prefix (gl.QUADS); an enum argument also takes the constant's name as a string (\"QUADS\"), a mask "
                  "several names joined by commas. Each call first draws the sprites the engine kept back, so that the order holds.");
    lua_newtable(L);
    for (const GlFunction& entry : kFunctions) {
        DocumentFunction("gl", entry.name, entry.call, entry.description);
        lua_pushinteger(L, static_cast<lua_Integer>(&entry - kFunctions));
        lua_pushcclosure(L, AfterKeptSprites, 1);
        lua_setfield(L, -2, entry.name);
    }
    for (const GlConstant& constant : kConstants) {
        lua_pushinteger(L, static_cast<lua_Integer>(constant.value));
        lua_setfield(L, -2, constant.name);
    }
    lua_pushliteral(L, "1.6");
    lua_setfield(L, -2, "_VERSION");
    lua_setglobal(L, "gl");
}
