#pragma once

// The process every fuzz target runs in, prepared once before the first input by libFuzzer's
// initialisation hook, defined here for all targets: an application object (for the settings
// and the site configuration), settings in a folder of its own, and the options set so that
// the record run does all it can.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);

// Ends the process as a crash, which libFuzzer reports with the input, when a property of
// the code under test does not hold.
void fuzzCheck(bool condition, const char *what);
