#include "world/ObjectRef.h"
#include "world/GameObject.h"

TObjectRef::TObjectRef(const TGameObject* object)
    : handle(object), serial(object ? object->serial : 0)
{
}

TGameObject* TObjectRef::Get() const
{
    TGameObject* object = serial ? ObjectFromHandle(handle) : nullptr;
    return object && object->serial == serial ? object : nullptr;
}

bool TObjectRef::Is(const TGameObject* object) const
{
    return object && serial && object->serial == serial;
}
