#pragma once

#include "sharing/YearEvents.h"

namespace hibimo::bench {

// 400 items spread over the year's real dates, every kind among them.
YearTables yearOf400Items();

// Building and serialising the iCalendar export.
void runShareBenchmarks();
// Publishing those 400 events to the CalDAV collection of HIBIMO_CALDAV_URL, first and unchanged
// (bench/publish_bench.sh starts a local server for it).
void runPublishBenchmarks();

} // namespace hibimo::bench
