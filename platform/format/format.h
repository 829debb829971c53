#pragma once
// The program's one formatter: exact decimal rounding, number texts, Format-style
// patterns, date texts, clock.
#include "platform/format/clock.h"
#include "platform/format/dates.h"
#include "platform/format/decimal.h"
#include "platform/format/format_pattern.h"
#include "platform/format/number_format.h"
