#pragma once

#include "config/PeriodValues.h"
#include "config/ValidDays.h"

class CVLMemory;

// A time zone as an installation image holds it, for pages that only show
// it: its day boxes and its bar's periods. Zone 0 is none: no days, no periods.
namespace ZoneMirror {

ValidDays::Boxes Days(const CVLMemory& image, int zone);
PeriodValues Periods(const CVLMemory& image, int zone);

} // namespace ZoneMirror
