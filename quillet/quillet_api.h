// Export/import marker for the functions of Quillet.dll.
// Natively (tests, benchmarks) the library is a static archive and the marker is empty.
#pragma once

#if defined(_WIN32) && !defined(QUILLET_STATIC)
#  if defined(QUILLET_BUILDING_DLL)
#    define QUILLET_API __declspec(dllexport)
#  else
#    define QUILLET_API __declspec(dllimport)
#  endif
#else
#  define QUILLET_API
#endif
