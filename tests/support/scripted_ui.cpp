#include "tests/support/scripted_ui.h"
