#include "app_state_win.h"

AppState gApp;
