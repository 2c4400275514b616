// The reads of an old year file (.ssv), as the old program's stream reads them: numbers,
// flags, lines, letters and single characters. A read that cannot be satisfied puts the input
// into the failed state, and every read after that fails as well.
#pragma once

#include <cstddef>
#include <string>

class SsvEingabe {
public:
    // The file's bytes; CR LF line ends read like LF.
    explicit SsvEingabe(const std::string& bytes);

    // White space (line breaks included) skipped, then an optional sign and decimal digits;
    // without digits the input fails. Values beyond the int range saturate.
    bool readZahl(int& wert);
    // A number that must be 0 (false) or 1 (true); any other value fails the input.
    bool readFlag(bool& wert);
    // The rest of the current line without its line feed, which is consumed. Fails at the end
    // of the file when nothing is left.
    bool readZeile(std::string& zeile);
    // White space skipped, then one character.
    bool readBuchstabe(char& c);
    // The next character, whatever it is.
    bool readZeichen(char& c);

    // Puts the input into the failed state (a value the file cannot mean).
    void setFehler() { m_fehler = true; }
    bool fehler() const { return m_fehler; }
    bool amEnde() const { return m_pos >= m_daten.size(); }

private:
    bool scheitern();
    void ueberspringeLeerraum();

    std::string m_daten;
    std::size_t m_pos = 0;
    bool m_fehler = false;
};
