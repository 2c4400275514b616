/* Without a window, with underscore names. It also exports a plain hasgui
   that claims a window, which the host must not take: "_hasgui" decides.
   Its start copies the file named by ORVASK_TEST_QUELLE over aktuell.sdb in
   the working folder, as an import would; with ORVASK_TEST_SICHERUNG_WEG set it
   also puts a folder in the place of aktuell.tmp, so that the backup the host
   saved before cannot be read afterwards. */
#include "protokoll.h"

#include <stdio.h>
#include <sys/stat.h>

int _hasgui(void) { return 0; }
int hasgui(void) { return 1; }
const char* _getname(void) { return "Testlauf & Import"; }

void _start(void* fenster) {
    protokolliereStart("ohnefenster", fenster);
    const char* quelle = getenv("ORVASK_TEST_QUELLE");
    if (!quelle) return;
    FILE* ein = fopen(quelle, "rb");
    FILE* aus = ein ? fopen("aktuell.sdb", "wb") : NULL;
    char puffer[4096];
    size_t n;
    while (aus && (n = fread(puffer, 1, sizeof puffer, ein)) > 0) fwrite(puffer, 1, n, aus);
    if (aus) fclose(aus);
    if (ein) fclose(ein);
    if (getenv("ORVASK_TEST_SICHERUNG_WEG")) {
        remove("aktuell.tmp");
        mkdir("aktuell.tmp", 0755);
    }
}

/* Never called by the host: a plug-in without a window gets only start. */
void _update(void) { protokoll("ohnefenster", "update"); }
void _close(void) { protokoll("ohnefenster", "close"); }
