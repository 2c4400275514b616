#include "plugins/vendralimo/ssveingabe.h"

#include <climits>

namespace {

bool istLeerraum(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

SsvEingabe::SsvEingabe(const std::string& bytes) {
    m_daten.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) m_daten += bytes[i];
}

bool SsvEingabe::scheitern() {
    m_fehler = true;
    return false;
}

void SsvEingabe::ueberspringeLeerraum() {
    while (m_pos < m_daten.size() && istLeerraum(m_daten[m_pos])) ++m_pos;
}

bool SsvEingabe::readZahl(int& wert) {
    wert = 0;
    if (m_fehler) return false;
    ueberspringeLeerraum();
    bool negativ = false;
    if (m_pos < m_daten.size() && (m_daten[m_pos] == '+' || m_daten[m_pos] == '-')) {
        negativ = m_daten[m_pos] == '-';
        ++m_pos;
    }
    const std::size_t start = m_pos;
    long long betrag = 0;
    for (; m_pos < m_daten.size() && m_daten[m_pos] >= '0' && m_daten[m_pos] <= '9'; ++m_pos)
        if (betrag <= INT_MAX) betrag = betrag * 10 + (m_daten[m_pos] - '0');
    if (m_pos == start) return scheitern();
    if (negativ)
        wert = betrag > -static_cast<long long>(INT_MIN) ? INT_MIN : static_cast<int>(-betrag);
    else
        wert = betrag > INT_MAX ? INT_MAX : static_cast<int>(betrag);
    return true;
}

bool SsvEingabe::readFlag(bool& wert) {
    wert = false;
    int zahl = 0;
    if (!readZahl(zahl)) return false;
    if (zahl != 0 && zahl != 1) return scheitern();
    wert = zahl == 1;
    return true;
}

bool SsvEingabe::readZeile(std::string& zeile) {
    zeile.clear();
    if (m_fehler || amEnde()) return scheitern();
    std::size_t ende = m_daten.find('\n', m_pos);
    if (ende == std::string::npos) ende = m_daten.size();
    zeile.assign(m_daten, m_pos, ende - m_pos);
    m_pos = ende < m_daten.size() ? ende + 1 : ende;
    return true;
}

bool SsvEingabe::readBuchstabe(char& c) {
    c = 0;
    if (m_fehler) return false;
    ueberspringeLeerraum();
    return readZeichen(c);
}

bool SsvEingabe::readZeichen(char& c) {
    c = 0;
    if (m_fehler || amEnde()) return scheitern();
    c = m_daten[m_pos++];
    return true;
}
