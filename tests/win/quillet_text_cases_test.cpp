// The portable text cases, run again against Quillet.dll as built for Windows, so that
// both builds of the library are held to the same results.
#include "../unit/quillet_text_test.cpp"
