// A chain of stones as an ordered list of points, and the document's ordered
// list of chains. Points are only ever appended; a group is destroyed whole.
// The list order matters: the capture sweep judges groups from the head, and
// a group that is created or extended moves to the tail.
#pragma once

#include "fw/core/CPoint.h"

#include <list>
#include <vector>

using StoneGroup = std::vector<CPoint>;
using GroupList = std::list<StoneGroup>;
