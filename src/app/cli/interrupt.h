// Ctrl+C at the terminal (SIGINT): the first one asks the running split or
// join to stop after the current block, so that it can remove what it left
// incomplete; a second one ends the program at once, as usual.
#pragma once

#include <csignal>

namespace kardomel {

// Installs the handler. Call once, at the start of the program.
void CatchInterrupt();
// Set once SIGINT has arrived; stays valid for the program's life.
const volatile std::sig_atomic_t* InterruptFlag();

}  // namespace kardomel
