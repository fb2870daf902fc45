#include "ui/HintLine.h"
#include "ui/HudPlate.h"
#include "core/App.h"
#include "render/GLState.h"
#include "render/Text.h"
#include "script/ScriptHost.h"

THintLine hintLine;

namespace {
const std::string kNone;
}

void THintLine::Want(const std::string& id)
{
    wanted = id;
    wantedFrame = frameNumber;
}

void THintLine::Done(const std::string& id)
{
    if (ScriptFunctionExists("HintDone"))
        CallScriptFunction("HintDone", {ScriptValue::String(id)}, 0, ScriptErrors::Console);
}

const std::string& THintLine::Wanted() const
{
    return wantedFrame == frameNumber ? wanted : kNone;
}

void THintLine::Draw()
{
    const std::string& id = Wanted();
    if (id.empty() || !ScriptFunctionExists("HintText")) return;
    const auto results = CallScriptFunction("HintText", {ScriptValue::String(id)}, 1, ScriptErrors::Console);
    if (!results || results->empty() || results->front().type != ScriptValue::Type::String) return;
    std::string text = results->front().text;
    if (text.size() > 76) text.resize(76);
    DrawHudPlateFor(text.c_str(), 3.0f, 226.0f);
    SetColor(1.0f, 0.86f, 0.45f, 1.0f);
    DrawTextLine(text.c_str(), 3.0f, 226.0f);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
}
