#include "level/campaign/Carrier.h"

TCarrier* (*carrierOfPlayer)(TPlayer* player) = nullptr;

TCarrier* CurrentCarrier(TPlayer* player)
{
    if (!player || !carrierOfPlayer) return nullptr;
    return carrierOfPlayer(player);
}
