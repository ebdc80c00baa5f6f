#pragma once

namespace hibimo::bench {

// Building and serialising the iCalendar export.
void runShareBenchmarks();

} // namespace hibimo::bench
