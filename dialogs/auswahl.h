// Choice lists of the record dialogs as plain values: entry 0 means "no link",
// entry n is the n-th record (1-based) of the store's list.
#pragma once

#include <memory>
#include <string>
#include <vector>

class c_Fachliste;
class c_Klasse;
class c_Schulverwaltung;
class c_datatype;

// "%d%c %s" (JAHRGANG, letter, NAME) when the class's NAME holds a value, else
// "%d%c"; an empty letter shows as nothing.
std::string klassenEintrag(const c_Klasse* k);
// Every class of the class list in list order, after `erster` unless it is null.
std::vector<std::string> klassenEintraege(c_Schulverwaltung* sv, const char* erster);
// `erster`, then the name of every subject of the subject list in list order.
std::vector<std::string> fachEintraege(c_Schulverwaltung* sv, const char* erster);

// The subjects chosen in a subject list: empty when entry 0 is among them,
// else the i-th subject for every chosen entry i >= 1, in list order.
std::unique_ptr<c_Fachliste> gewaehlteFaecher(c_Schulverwaltung* sv, const std::vector<int>& eintraege);
// The entries i >= 1 whose subject is in `faecher`.
std::vector<int> fachEintraegeVon(c_Schulverwaltung* sv, const c_Fachliste* faecher);
