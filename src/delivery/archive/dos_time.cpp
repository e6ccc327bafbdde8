#include "delivery/archive/dos_time.h"

namespace kardomel {

uint32_t DosDateTime(time_t time) {
  struct tm local {};
  if (::localtime_r(&time, &local) == nullptr || local.tm_year < 80) return (1u << 21) | (1u << 16);
  return (static_cast<uint32_t>(local.tm_year - 80) << 25) |
         (static_cast<uint32_t>(local.tm_mon + 1) << 21) |
         (static_cast<uint32_t>(local.tm_mday) << 16) |
         (static_cast<uint32_t>(local.tm_hour) << 11) | (static_cast<uint32_t>(local.tm_min) << 5) |
         (static_cast<uint32_t>(local.tm_sec) >> 1);
}

bool IsNewerThanEntry(time_t onDisk, time_t stored) {
  return DosDateTime(onDisk) > DosDateTime(stored);
}

}  // namespace kardomel
