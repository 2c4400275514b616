/* Shared by the test plug-ins: every call is appended as one line
   "<plug-in>:<event>" to the file named by ORVASK_TEST_PROTOKOLL, so the
   tests see which functions the host called, in which order and how often. */
#pragma once

#include <stdio.h>
#include <stdlib.h>

static void protokoll(const char* plugin, const char* ereignis) {
    const char* datei = getenv("ORVASK_TEST_PROTOKOLL");
    if (!datei) return;
    FILE* f = fopen(datei, "a");
    if (!f) return;
    fprintf(f, "%s:%s\n", plugin, ereignis);
    fclose(f);
}

/* "start:<address of the window handed over>", "start:null" without one. */
static void protokolliereStart(const char* plugin, void* fenster) {
    char zeile[64];
    if (fenster)
        snprintf(zeile, sizeof zeile, "start:%p", fenster);
    else
        snprintf(zeile, sizeof zeile, "start:null");
    protokoll(plugin, zeile);
}
