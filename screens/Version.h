// The version text shown in the window title and the information box.
#pragma once

inline constexpr const char* kVersionText = "1.000";
