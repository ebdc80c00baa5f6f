#pragma once

namespace hibimo::bench {

// Month steps of the main window and its start-up against a bare Qt window.
void runWindowBenchmarks(const char* self);

// Child modes of the start-up figure: returns the process's exit code.
int runBareWindow(bool withText);
int runMainWindow(const char* folder);

} // namespace hibimo::bench
