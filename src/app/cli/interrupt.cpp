#include "app/cli/interrupt.h"

#include <signal.h>

namespace kardomel {
namespace {

volatile std::sig_atomic_t gInterrupted = 0;

void OnInterrupt(int /*signal*/) { gInterrupted = 1; }

}  // namespace

void CatchInterrupt() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // The handler is used once: a second Ctrl+C finds the default again.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
}

const volatile std::sig_atomic_t* InterruptFlag() { return &gInterrupted; }

}  // namespace kardomel
