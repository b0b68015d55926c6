#pragma once

// The process every fuzz target runs in: an application object (for the settings and the
// site configuration), settings in a folder of its own, and the options set so that the
// record run does all it can.
void prepareFuzzProcess(int *argc, char ***argv);

// Ends the process as a crash, which libFuzzer reports with the input, when a property of
// the code under test does not hold.
void fuzzCheck(bool condition, const char *what);
