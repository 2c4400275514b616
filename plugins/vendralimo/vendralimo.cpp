// The plug-in's exports: plain C functions that the host looks up by name. Nothing else of the
// library is visible outside it.
#include "plugins/vendralimo/einstieg.h"

#include <QApplication>
#include <QWidget>

#define VENDRALIMO_EXPORT extern "C" __attribute__((visibility("default")))

VENDRALIMO_EXPORT int _hasgui(void) { return 0; }

VENDRALIMO_EXPORT const char* _getname(void) { return vendralimo::NAME; }

VENDRALIMO_EXPORT void _start(void* fenster) {
    // Dialogs need the host's widget application; without one there is nothing to show.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    vendralimo::starteImport(static_cast<QWidget*>(fenster), vendralimo::echteDialoge());
}

VENDRALIMO_EXPORT void _hide(void) {}
VENDRALIMO_EXPORT void _show(void) {}
VENDRALIMO_EXPORT void _neu(void) {}
VENDRALIMO_EXPORT void _aendern(void) {}
VENDRALIMO_EXPORT void _loeschen(void) {}
VENDRALIMO_EXPORT void _update(void) {}
