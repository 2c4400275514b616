// The reason a system call gave (an errno value) in German words, for the program's messages.
#pragma once

#include <string>

// "keine Berechtigung", "der Datenträger ist voll" and so on, lower case, to stand in
// parentheses or after a colon; "Systemfehler N" for a value without words of its own.
std::string systemFehlerText(int fehler);
