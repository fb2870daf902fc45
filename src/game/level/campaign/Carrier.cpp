#include "level/campaign/Carrier.h"
#include "player/Player.h"

TCarrier* CurrentCarrier(TPlayer* player)
{
    return player;
}
