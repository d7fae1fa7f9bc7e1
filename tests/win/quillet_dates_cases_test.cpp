// The portable date cases, run again against Quillet.dll as built for Windows, so that both
// builds of the library are held to the same results.
#include "../unit/dates_test.cpp"
