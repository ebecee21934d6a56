#pragma once

#include "Date.h"

#include <optional>

/// Today's date as the user's calendar shows it.
namespace Clock {

/// The local calendar date.
Date Today();

/// Test seam: fixes the date Today returns; nothing restores the real clock.
void SetTodayForTests(std::optional<Date> today);

} // namespace Clock
