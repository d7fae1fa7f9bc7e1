// Import marker for the functions of Quillet.dll.
// The DLL itself marks nothing: Quillet.def alone decides what it exports and under which plain
// names, so no C++-decorated name reaches its export table.
// Natively (tests, benchmarks) the library is a static archive and the marker is empty.
#pragma once

#if defined(_WIN32) && !defined(QUILLET_STATIC)
#  if defined(QUILLET_BUILDING_DLL)
#    define QUILLET_API
#  else
#    define QUILLET_API __declspec(dllimport)
#  endif
#else
#  define QUILLET_API
#endif
