#pragma once
// Planted: an own header in angle brackets.
#include <platform/base.h>
