// Choice lists of the record dialogs as plain values: entry 0 means "no link",
// entry n is the n-th record (1-based) of the store's list.
#pragma once

#include <memory>
#include <string>
#include <vector>

class c_Fachliste;
class c_Klasse;
class c_person;
class c_Schulverwaltung;
class c_datatype;

// `erster` unless it is null, then `text` of every record of the list in list
// order (empty for a null record); only `erster` without a list.
template <class Liste, class Text>
std::vector<std::string> eintraege(const char* erster, const Liste* liste, Text text) {
    std::vector<std::string> e;
    if (erster) e.emplace_back(erster);
    if (!liste) return e;
    e.reserve(liste->size() + 1);
    for (const auto* p : *liste) e.push_back(p ? text(p) : std::string());
    return e;
}

// "%d%c %s" (JAHRGANG, letter, NAME) when the class's NAME holds a value, else
// "%d%c"; an empty letter shows as nothing.
std::string klassenEintrag(const c_Klasse* k);
// Every class of the class list in list order, after `erster` unless it is null.
std::vector<std::string> klassenEintraege(c_Schulverwaltung* sv, const char* erster);
// The name of every subject of the subject list in list order, after `erster` unless it is null.
std::vector<std::string> fachEintraege(c_Schulverwaltung* sv, const char* erster);

// The subjects chosen in a subject list: empty when entry 0 is among them,
// else the i-th subject for every chosen entry i >= 1, in list order.
std::unique_ptr<c_Fachliste> gewaehlteFaecher(c_Schulverwaltung* sv, const std::vector<int>& eintraege);
// The entries i >= 1 whose subject is in `faecher`.
std::vector<int> fachEintraegeVon(c_Schulverwaltung* sv, const c_Fachliste* faecher);
