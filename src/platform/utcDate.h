// The calendar day by the system's clock, in UTC, as YYYYMMDD: the same day for every player on Earth.
#pragma once

int todayUtc();
