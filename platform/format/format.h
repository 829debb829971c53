#pragma once
// The program's one formatter: exact decimal rounding, number texts, date texts, clock.
#include "platform/format/clock.h"
#include "platform/format/dates.h"
#include "platform/format/decimal.h"
#include "platform/format/number_format.h"
