// Creates the four windows in start-up order and keeps the program-wide pointers to them.
#pragma once

void CreateApplicationWindows();
