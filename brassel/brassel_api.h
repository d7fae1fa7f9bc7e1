// Export/import marker for the classes of Brassel.dll.
#pragma once

#if defined(BRASSEL_BUILDING_DLL)
#  define BRASSEL_API __declspec(dllexport)
#else
#  define BRASSEL_API __declspec(dllimport)
#endif
