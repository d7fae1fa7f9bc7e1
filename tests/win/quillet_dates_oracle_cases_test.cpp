// The portable dates oracle cases, run again against Quillet.dll as built for Windows, so that
// both builds of the library are held to the same results.
#include "../unit/quillet_dates_oracle_test.cpp"
