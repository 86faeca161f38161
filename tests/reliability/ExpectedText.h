// The text the exporter must write for a described scene, written here from the format's rules:
// the arithmetic as the rules give it, the numbers with the C library's printf.
#pragma once

#include <string>

#include "reliability/ScenePlan.h"

/// The name as the host hands it over: cut at the 1023 bytes of the string it fills.
std::string HostName(const std::string& name);

/// The polygon blocks of `plan`, as the map layout (`map`) or the single-object layout writes
/// them.
std::string ExpectedPolygons(const TInstancePlan& plan, bool map);

/// The brush actor of `plan` around `polygons`.
std::string ExpectedActor(const TInstancePlan& plan, const std::string& polygons);

/// "Begin Map", the builder brush, `actors`.
std::string ExpectedMap(const std::string& actors);

/// "Begin PolyList", `polygons`, "End PolyList".
std::string ExpectedPolyList(const std::string& polygons);
