// Steps that the record dialogs share beyond the form scheme: the name checks
// of students and teachers and the building or overwriting of a record's fields.
#pragma once

#include "dialogs/formular.h"
#include "model/felder.h"

#include <memory>

// A field whose key begins with "NAME" or else "VORNAME": an empty edit fails
// with "Sie müssen einen Nachnamen eingeben." or "Sie müssen einen Vornamen eingeben.".
bool pruefeNamen(const FeldEingabe& e, MeldungsSammler& m);

// The grades and absences buttons of a record that is not stored yet: false
// with "Sie müssen diesen <wen> zunächst anlegen. ..." (caption "Fehler", 48).
bool erstAngelegt(const void* datensatz, const char* wen, MeldungsSammler& m);

// A new record whose fields are a copy of the template filled from the form;
// its links are null and its sub-lists empty.
template <class T>
std::unique_ptr<T> neuerDatensatz(const c_Datenliste& vorlage, const FormularWerte& werte) {
    auto r = std::make_unique<T>();
    r->setFelder(neueFelder(vorlage, werte));
    return r;
}

// Overwrites a stored record's fields in place from the form.
template <class T>
void ueberschreibe(T& r, const c_Datenliste& vorlage, const FormularWerte& werte) {
    if (r.getFelder())
        uebernehmeWerte(*r.getFelder(), werte);
    else
        r.setFelder(neueFelder(vorlage, werte));
}

// The field list a check walks: the record's own, or the template for a new record.
template <class T>
const c_Datenliste& pruefFelder(const T* r, const c_Datenliste& vorlage) {
    return r && r->getFelder() ? *r->getFelder() : vorlage;
}
