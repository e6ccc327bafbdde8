// ZIP stores modification times as MS-DOS date and time: local time, in
// steps of two seconds. Comparing at that resolution keeps a file that has
// not changed from looking newer than its entry.
#pragma once

#include <cstdint>
#include <ctime>

namespace kardomel {

// Time as MS-DOS date (high 16 bits) and time (low 16 bits), in local time;
// times before 1980 become 1980-01-01 00:00.
uint32_t DosDateTime(time_t time);

// True when a file modified at OnDisk is newer than an entry stored with
// Stored, compared as DOS times.
bool IsNewerThanEntry(time_t onDisk, time_t stored);

}  // namespace kardomel
