// Handlers whose dialogs are still being built; each does nothing until its dialog lands.
#include "app/hauptfenster.h"



void TMainWindow::CmErweiterungen() {}
