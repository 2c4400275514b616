#pragma once
// Language set-up of the application: German standard texts for Qt's own widgets.

#include <QString>

class QCoreApplication;

// Loads Qt's German translation (qtbase_de.qm from Qt's translations folder) into `app`, so
// that standard buttons read "Ja", "Nein", "Abbrechen", "OK", and makes German the default
// locale. The translator belongs to `app`. Returns false when the translation file could not
// be loaded; the texts then stay English.
bool installiereDeutscheUebersetzung(QCoreApplication& app);

// The folder the translation is looked for in (Qt's translations path).
QString uebersetzungsOrdner();
