#pragma once
// Planted: the platform may not reach up into the core.
#include "core/state.h"
