#include "state/app_state.h"

AppStateRecord AppState;
