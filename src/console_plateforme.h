#pragma once

// What differs between Windows and the POSIX systems, one file for each.

// Prepares standard output and clears the screen where there is one to clear.
void preparerEcran();

// True when standard output is a terminal or console that reads UTF-8.
bool ecranUtf8();
