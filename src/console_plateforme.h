#pragma once

// What differs between Windows and the POSIX systems, one file for each:
// preparerConsole (console.h) and the choice below.

// True when standard output is a terminal or console that reads UTF-8.
bool ecranUtf8();
