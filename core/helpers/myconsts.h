#pragma once
// The small routines of MyConsts that every calculation, validation and report uses:
// rounding, periods and dates, code texts, number parsing and text utilities, address
// splitting, birth-number and bank-account checks, numbered output files.
// (Messages and dialogs live in core/helpers/messages.h and dialogs.h.)
#include "core/helpers/address.h"
#include "core/helpers/checks.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/numbered_files.h"
#include "core/helpers/periods.h"
#include "core/helpers/rounding.h"
#include "core/helpers/text_utils.h"
