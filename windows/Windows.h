// Creates the windows in start-up order and keeps the program-wide pointers to them.
#pragma once

#include <QString>

class TProgressSink;

void CreateApplicationWindows();

// The K-map window's gauge, which every removal of absorbed terms moves, whichever window
// asked for it; null until that window exists.
TProgressSink* KmapGauge();

// The width of a letter in the K-map window's term cells, which the other windows draw alike.
int MapLetterWidth();

// True while a command runs a loop that lets other events through (the K-map window's table
// conversion, the calculator's products, the results window's Minimum cover, the Outputs window's
// Minimum shared cover). Commands that would
// change what such a loop works on, or start a second operation inside it, do nothing then.
bool CommandLoopRunning();
// Called as such a loop ends: a variable count chosen while it ran applies now.
void CommandLoopEnded();

// Where the README lies: beside an installed program under its prefix, else where installing
// this build puts it.
QString InstalledReadme();
