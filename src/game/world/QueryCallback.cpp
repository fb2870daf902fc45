#include "world/QueryCallback.h"

bool TQueryCallback::ReportFixture(b2Fixture* fixture)
{
    fixtures.push_back(fixture);
    return true;
}
