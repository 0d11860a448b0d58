#pragma once
// The tick of one object, which every object on the grid has once per turn.
#include "core/GameObject.h"

// The tick of one object: its counter grows by one and, when it equals its
// kind's reaction time, its behaviour acts and the counter returns to 0.
void tickObject(GameObject& object);

// The tick of an obstacle when it does not act, which is every tick but the
// one that brings its counter to the obstacles' reaction time: the counter
// grows by one, as tickObject counts it. False, changing nothing, when this
// tick would act; tickObject must then have it.
bool countObstacleTick(GameObject& obstacle);
