// A chain of stones as an ordered list of points. Points are only ever
// appended; a group is destroyed whole. A point may appear in a group more
// than once (a stone replayed onto a point the group already holds).
#pragma once

#include "fw/core/CPoint.h"

#include <span>

// The points of one group, in the order they joined it; valid until the
// position changes.
using StoneGroup = std::span<const CPoint>;
