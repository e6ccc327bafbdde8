#include "app/startup/windows_version.h"

#include "support/maker.h"

namespace kardomel {

bool CheckWindowsVersion(uint32_t major, uint32_t minor, uint32_t maxMajor, uint32_t maxMinor) {
  return maxMajor > major || (maxMajor == major && maxMinor >= minor);
}

std::string WindowsVersionMessage() {
  return std::string(
             "Diese Programmversion ist nicht für den Betrieb unter dem von Ihnen eingesetzten "
             "Betriebssystem geeignet.\r\rBitte wenden Sie sich an den Hersteller, um eine "
             "aktualisierte Programmversion zu beziehen.\r\rMöchten Sie nun die Homepage des "
             "Herstellers (") +
         kMakerWebAddress + ") aufrufen, um nach einer neuen Version zu suchen?";
}

}  // namespace kardomel
