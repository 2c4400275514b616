// What the program does when the heap is exhausted: it writes "out of memory"
// to the error output and ends, instead of letting std::bad_alloc escape.
#pragma once

// Installs the handler as the process's new-handler.
void installiereSpeicherHandler();
// The handler itself: writes the message and ends the process with exit code 1.
[[noreturn]] void speicherErschoepft();
