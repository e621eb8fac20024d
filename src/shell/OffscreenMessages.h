// Qt's messages without the offscreen platform's notes on window hints.
#pragma once

// The offscreen platform says so whenever a window is raised or sized by its hints; programs
// that run the application offscreen (tests, benchmarks) pass every other message on to
// standard error.
void InstallOffscreenMessageFilter();
