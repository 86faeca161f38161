// The one reader of T3D maps, from any writer: it checks every line as it goes (blocks, numbers,
// polygons, names) and hands on each actor, with its brush, once the actor is closed.
#pragma once

#include <functional>

#include "MapActor.h"

class MapReport;
class TKXStream;

using MapActorSink = std::function<void(const MapActor&)>;

/// Reads the map `stream` holds, from its position to its end (`stream` must be open for
/// reading): problems go to `report`, each actor to `sink` at its End Actor line, and polygons
/// outside any actor (a polygon list alone) as one actor of no class at the end. False when a
/// read failed; the problems then cover only the lines read, and what the end of the file
/// leaves open is not reported.
bool ReadMap(TKXStream& stream, MapReport& report, const MapActorSink& sink);
