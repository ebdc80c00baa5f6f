#pragma once

namespace hibimo::bench {

// Year generation, year file writing and loading.
void runDataBenchmarks();

} // namespace hibimo::bench
