// Serves the engine's preference read from the process-wide key/value store, so that the
// engine and the store know nothing of each other.
#pragma once

#include "engine/PreferenceSource.h"

// The adapter to install with setPreferenceSource: every read goes to the store that
// UserDefault::getInstance() gives at that moment.
PreferenceSource* storePreferences();
