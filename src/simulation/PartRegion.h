// PartRegion: the part as a region: under the profile, down to the axis, between the borders.
#pragma once

#include "simulation/Region.h"
#include "toolpath/ProfileShape.h"

// Arcs through chords within chordError (model units) of the true circle. Empty for an empty profile.
CRegion PartRegion(const CProfileShape& profile, double chordError);
