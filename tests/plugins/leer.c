/* Exports none of the plug-in functions. It needs the C library, so the C
   library's close is reachable through this library's handle: the host must
   not take it. */
#include <stdlib.h>

static int nichts(void) { return getenv("HOME") != NULL; }
int (*const leer_verweis)(void) = nichts;
