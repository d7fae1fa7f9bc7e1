// Everything Brassel.dll exports.
#pragma once

#include "component.h"
#include "controls.h"
#include "unfixed_dialog.h"
