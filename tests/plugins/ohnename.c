/* With a window but without a name: getname returns null. It has no close
   of its own and makes no window. */
#include "protokoll.h"

int hasgui(void) { return 1; }
const char* getname(void) { return NULL; }
void start(void* fenster) { protokolliereStart("ohnename", fenster); }
void show(void) { protokoll("ohnename", "show"); }
void hide(void) { protokoll("ohnename", "hide"); }
void update(void) { protokoll("ohnename", "update"); }
