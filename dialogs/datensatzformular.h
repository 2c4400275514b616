// Steps that the record dialogs share beyond the form scheme: the name checks
// of students and teachers, and the record a form works on with the building,
// overwriting and adding of it.
#pragma once

#include "dialogs/formular.h"
#include "model/felder.h"

#include <memory>

class c_Schulverwaltung;

// A field whose key begins with "NAME" or else "VORNAME": an empty edit fails
// with "Sie müssen einen Nachnamen eingeben." or "Sie müssen einen Vornamen eingeben.".
bool pruefeNamen(const FeldEingabe& e, MeldungsSammler& m);

// The grades and absences buttons of a record that is not stored yet: false
// with "Sie müssen diesen <wen> zunächst anlegen. ..." (caption "Fehler", 48).
bool erstAngelegt(const void* datensatz, const char* wen, MeldungsSammler& m);

// The record a form works on: null for a new one until the store took it.
template <class T>
class DatensatzFormular {
public:
    const c_Datenliste* vorlage() const { return k_vorlage; }
    T* datensatz() const { return k_datensatz; }

protected:
    DatensatzFormular(c_Schulverwaltung* sv, T* datensatz, const c_Datenliste* vorlage)
        : k_schulverwaltung(sv), k_datensatz(datensatz), k_vorlage(vorlage) {}

    // The field list a check walks: the record's own, or the template for a new record.
    const c_Datenliste& pruefFelder() const {
        return k_datensatz && k_datensatz->getFelder() ? *k_datensatz->getFelder() : *k_vorlage;
    }

    // A new record whose fields are a copy of the template filled from the form;
    // its links are null and its sub-lists empty.
    std::unique_ptr<T> neuerDatensatz(const FormularWerte& werte) const {
        auto r = std::make_unique<T>();
        r->setFelder(neueFelder(*k_vorlage, werte));
        return r;
    }

    // Overwrites the stored record's fields in place from the form.
    void ueberschreibe(const FormularWerte& werte) const {
        if (k_datensatz->getFelder())
            uebernehmeWerte(*k_datensatz->getFelder(), werte);
        else
            k_datensatz->setFelder(neueFelder(*k_vorlage, werte));
    }

    // Hands a new record to the store's add operation: true when it was taken and is
    // the form's record now, else `abgelehnt` in a box of its own ("Fehler", 48).
    bool legeAn(std::unique_ptr<T>& neu, bool (c_Schulverwaltung::*add)(std::unique_ptr<T>&), const char* abgelehnt,
                MeldungsSammler& m) {
        T* r = neu.get();
        if (!(k_schulverwaltung->*add)(neu)) {
            m.einzeln(abgelehnt, "Fehler", FLAGS_FEHLER);
            return false;
        }
        k_datensatz = r;
        return true;
    }

    c_Schulverwaltung* k_schulverwaltung;
    T* k_datensatz;
    const c_Datenliste* k_vorlage;
};
