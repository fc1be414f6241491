#pragma once

// One whole run of the tool for the arguments main was given; returns the
// exit status: 1 without an argument, 0 otherwise.
int Run(int argc, char** argv);
