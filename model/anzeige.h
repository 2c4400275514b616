// Texts under which records appear in lists, choice boxes and reports.
#pragma once

#include <string>

class c_datatype;
class c_Klasse;
class c_Lehrer;
class c_Fach;
class c_Raum;
class c_person;

// "%d%c %s" (grade level, class letter, name) or "%d%c" without a name;
// "[keine]" for no class.
std::string klassenText(const c_Klasse* k);
// "%d%c %s" / "%d%c" without the "[keine]" case (empty for no class).
std::string klassenName(const c_Klasse* k);
// "%s, %s" (NAME, VORNAME); "[keiner]" for no teacher.
std::string lehrerText(const c_Lehrer* l);
// The subject's name; "[kein]" for no subject.
std::string fachText(const c_Fach* f);
// The room's NAME; empty for no room.
std::string raumName(const c_Raum* r);
// VORNAME + " " + NAME.
std::string vollname(const c_person& p);
// A field value: a string's text, an int as "%d", a bool as "X" or empty.
std::string feldText(const c_datatype* f);
