// The portable module-folder cases, run again against Quillet.dll as built for Windows.
#include "../unit/quillet_module_path_test.cpp"
