#pragma once

// A whole number from a to b, both included, from the process-wide generator
// that the entry point seeds once.
int random(int a, int b);
