// The gl table without a window: registration, constants and argument checks.
// Every call here fails its checks before any OpenGL function is reached.
#include "script/ApiRegistry.h"
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <lua.hpp>
#include <string>
#include <utility>

namespace {
class GlBindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        L = luaL_newstate();
        luaL_openlibs(L);
        RegisterGlBinding(L);
    }
    void TearDown() override { lua_close(L); }

    // Runs Lua code; returns the error message, or "" when it ran.
    std::string Run(const std::string& code)
    {
        if (luaL_dostring(L, code.c_str()) == 0) return "";
        std::string message = lua_tostring(L, -1) ? lua_tostring(L, -1) : "?";
        lua_pop(L, 1);
        return message;
    }

    lua_State* L = nullptr;
};
}

TEST_F(GlBindingTest, TableHasEveryFunction)
{
    for (const char* name : {"Begin", "End", "Vertex", "TexCoord", "Color", "PushMatrix",
                             "PopMatrix", "Translate", "Rotate", "Scale", "LoadIdentity",
                             "MatrixMode", "Enable", "Disable", "BlendFunc", "LineWidth",
                             "PointSize", "Clear", "ClearColor", "BindTexture", "GetError"}) {
        EXPECT_EQ(Run(std::string("assert(type(gl.") + name + ") == 'function')"), "") << name;
    }
    EXPECT_EQ(Run("assert(gl._VERSION == '1.6')"), "");
}

TEST_F(GlBindingTest, ConstantsCarryOpenGLValues)
{
    const std::pair<const char*, GLenum> constants[] = {
        {"QUADS", GL_QUADS},
        {"TRIANGLES", GL_TRIANGLES},
        {"TRIANGLE_FAN", GL_TRIANGLE_FAN},
        {"TRIANGLE_STRIP", GL_TRIANGLE_STRIP},
        {"LINES", GL_LINES},
        {"LINE_LOOP", GL_LINE_LOOP},
        {"LINE_STRIP", GL_LINE_STRIP},
        {"POINTS", GL_POINTS},
        {"QUAD_STRIP", GL_QUAD_STRIP},
        {"BLEND", GL_BLEND},
        {"TEXTURE_2D", GL_TEXTURE_2D},
        {"ALPHA_TEST", GL_ALPHA_TEST},
        {"MODELVIEW", GL_MODELVIEW},
        {"PROJECTION", GL_PROJECTION},
        {"SRC_ALPHA", GL_SRC_ALPHA},
        {"ONE", GL_ONE},
        {"ZERO", GL_ZERO},
        {"ONE_MINUS_SRC_ALPHA", GL_ONE_MINUS_SRC_ALPHA},
        {"DST_COLOR", GL_DST_COLOR},
        {"SRC_COLOR", GL_SRC_COLOR},
        {"COLOR_BUFFER_BIT", GL_COLOR_BUFFER_BIT},
        {"CULL_FACE", GL_CULL_FACE},
        {"LINE_SMOOTH", GL_LINE_SMOOTH},
    };
    lua_getglobal(L, "gl");
    for (const auto& [name, value] : constants) {
        lua_getfield(L, -1, name);
        EXPECT_TRUE(lua_isnumber(L, -1)) << name;
        EXPECT_EQ(static_cast<GLenum>(lua_tointeger(L, -1)), value) << name;
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
}

TEST_F(GlBindingTest, UnknownConstantNamesAreScriptErrors)
{
    for (const char* call : {"gl.Begin('SQUARES')", "gl.Enable('blend')", "gl.Disable('')",
                             "gl.MatrixMode('GL_MODELVIEW')", "gl.BlendFunc('SRC_ALPHA', 'HALF')",
                             "gl.BindTexture('TEXTURE_3D', 1)",
                             "gl.Clear('COLOR_BUFFER_BIT,DEPTH_BITS')", "gl.Clear('COLOR_BUFFER_BIT,')"}) {
        const std::string message = Run(call);
        EXPECT_NE(message.find("unknown constant"), std::string::npos) << call << ": " << message;
    }
    EXPECT_NE(Run("gl.Clear('COLOR_BUFFER_BIT, DEPTH_BITS')").find("'DEPTH_BITS'"),
              std::string::npos)
        << "the message names the bad part of a mask";
}

TEST_F(GlBindingTest, WrongArgumentsAreScriptErrors)
{
    for (const char* call : {
             "gl.Begin()", "gl.Begin({})", "gl.Enable(true)", "gl.MatrixMode(nil)",
             "gl.BlendFunc('SRC_ALPHA')", "gl.Vertex(1)", "gl.Vertex(1, 2, 3, 4, 5)",
             "gl.Vertex('x', 2)", "gl.Vertex(1, 2, {})", "gl.TexCoord()", "gl.TexCoord(0, 1, 2)",
             "gl.Color(1, 1)", "gl.Color(1, 1, 1, 1, 1)", "gl.Color(1, 'red', 1)",
             "gl.Translate(1, 2)", "gl.Rotate(90, 0, 0)", "gl.Scale(1, nil, 1)",
             "gl.LineWidth()", "gl.PointSize('big')", "gl.ClearColor(0, 0, 0)",
             "gl.BindTexture(gl.TEXTURE_2D)", "gl.BindTexture(gl.TEXTURE_2D, 'tex')",
             "gl.BindTexture(gl.TEXTURE_2D, -1)", "gl.Clear(false)"}) {
        EXPECT_NE(Run(call), "") << call;
    }
}
