/* With a window; calls the host's updatesv: from update (a reload request
   inside the change notification), from neu (directly, on the UI thread)
   and from aendern (on a thread of its own). */
#include "protokoll.h"

#include <dlfcn.h>
#include <pthread.h>

static void rufeUpdatesv(void) {
    void (*updatesv)(void) = (void (*)(void))dlsym(RTLD_DEFAULT, "updatesv");
    protokoll("aktualisierer", updatesv ? "updatesv" : "updatesv-fehlt");
    if (updatesv) updatesv();
}

static void* faden(void* unbenutzt) {
    (void)unbenutzt;
    rufeUpdatesv();
    return NULL;
}

int _hasgui(void) { return 1; }
const char* _getname(void) { return "Aktualisierer"; }
void _start(void* fenster) { protokolliereStart("aktualisierer", fenster); }
void _update(void) {
    protokoll("aktualisierer", "update");
    rufeUpdatesv();
}
void _neu(void) {
    protokoll("aktualisierer", "neu");
    rufeUpdatesv();
}
void _aendern(void) {
    pthread_t t;
    protokoll("aktualisierer", "aendern");
    if (pthread_create(&t, NULL, faden, NULL) == 0) pthread_join(t, NULL);
}
