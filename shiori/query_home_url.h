#pragma once

class ShioriModule;

// Asks the module for its home URL and writes the value, if any, to standard
// output with no line end.
void QueryHomeUrl(ShioriModule& module);
