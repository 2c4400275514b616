// The records of one school year. A record keeps its user-visible values in
// its field list (a copy of its kind's template); links to other records are
// plain pointers into the store's lists and are never owned.
#pragma once

#include "model/felder.h"
#include "model/listen.h"

#include <memory>
#include <string>

// Base of students and teachers.
class c_person {
public:
    c_person() = default;
    virtual ~c_person() = default;
    c_person(const c_person&) = delete;
    c_person& operator=(const c_person&) = delete;

    void setFelder(std::unique_ptr<c_Datenliste> felder) { k_felder = std::move(felder); }
    c_Datenliste* getFelder() const { return k_felder.get(); }
    const std::string& getVorname() const;
    const std::string& getName() const;

protected:
    std::unique_ptr<c_Datenliste> k_felder;
};

class c_Schueler : public c_person {
public:
    ~c_Schueler() override;
    void setKlasse(c_Klasse* k) { k_klasse = k; }
    c_Klasse* getKlasse() const { return k_klasse; }
    c_Zensurliste* getZensurliste() { return &k_zensuren; }
    const c_Zensurliste* getZensurliste() const { return &k_zensuren; }
    c_Fehlzeitliste* getFehlzeitliste() { return &k_fehlzeiten; }
    const c_Fehlzeitliste* getFehlzeitliste() const { return &k_fehlzeiten; }

private:
    c_Klasse* k_klasse = nullptr;
    c_Zensurliste k_zensuren;
    c_Fehlzeitliste k_fehlzeiten;
};

class c_Lehrer : public c_person {
public:
    ~c_Lehrer() override;
    int getPflichtstunden() const;
    // Takes the list object; the previous one is deleted, its subjects stay.
    void setFachliste(std::unique_ptr<c_Fachliste> l) { k_faecher = std::move(l); }
    c_Fachliste* getFachliste() const { return k_faecher.get(); }
    void setVergebeneStunden(int n) { k_vergebeneStunden = n; }
    int getVergebeneStunden() const { return k_vergebeneStunden; }
    bool isBeurlaubt() const;
    bool isAbwesend(int tag, int monat, int jahr) const;
    c_Fehlzeitliste* getFehlzeitliste() { return &k_fehlzeiten; }
    const c_Fehlzeitliste* getFehlzeitliste() const { return &k_fehlzeiten; }

private:
    std::unique_ptr<c_Fachliste> k_faecher;
    c_Fehlzeitliste k_fehlzeiten;
    int k_vergebeneStunden = 0;
};

class c_Klasse {
public:
    c_Klasse() = default;
    c_Klasse(const c_Klasse&) = delete;
    c_Klasse& operator=(const c_Klasse&) = delete;

    void setFelder(std::unique_ptr<c_Datenliste> felder) { k_felder = std::move(felder); }
    c_Datenliste* getFelder() const { return k_felder.get(); }
    void setKlassenlehrer(c_Lehrer* l) { k_klassenlehrer = l; }
    c_Lehrer* getKlassenlehrer() const { return k_klassenlehrer; }
    void setKlassenraum(c_Raum* r) { k_klassenraum = r; }
    c_Raum* getKlassenraum() const { return k_klassenraum; }
    void setJahrgang(int j);
    int getJahrgang() const;
    // The class letter: the first character of BEZ as its Windows-1252 code
    // (a signed char); 0 when BEZ is empty.
    char getBez() const;
    // Stores exactly one character (Windows-1252 code) in BEZ.
    void setBez(char bez);
    void setJahrgangBez(int j, char bez) {
        setJahrgang(j);
        setBez(bez);
    }
    void setName(std::string name);
    const std::string& getName() const;

private:
    std::unique_ptr<c_Datenliste> k_felder;
    c_Raum* k_klassenraum = nullptr;
    c_Lehrer* k_klassenlehrer = nullptr;
};

class c_Raum {
public:
    c_Raum() = default;
    c_Raum(const c_Raum&) = delete;
    c_Raum& operator=(const c_Raum&) = delete;

    void setFelder(std::unique_ptr<c_Datenliste> felder) { k_felder = std::move(felder); }
    c_Datenliste* getFelder() const { return k_felder.get(); }
    const std::string& getName() const;
    void setFachliste(std::unique_ptr<c_Fachliste> l) { k_faecher = std::move(l); }
    c_Fachliste* getFachliste() const { return k_faecher.get(); }
    void setAktiv(bool a);
    bool isAktiv() const;
    bool equals(const c_Raum* other) const;

private:
    std::unique_ptr<c_Datenliste> k_felder;
    std::unique_ptr<c_Fachliste> k_faecher;
};

class c_Fach {
public:
    c_Fach() = default;
    explicit c_Fach(std::string name) : k_name(std::move(name)) {}
    void setName(std::string name) { k_name = std::move(name); }
    const std::string& getName() const { return k_name; }
    bool equals(const c_Fach* other) const;

private:
    std::string k_name;
};

class c_Zensur {
public:
    void setFelder(std::unique_ptr<c_Datenliste> felder) { k_felder = std::move(felder); }
    c_Datenliste* getFelder() const { return k_felder.get(); }
    void setFach(c_Fach* f) { k_fach = f; }
    c_Fach* getFach() const { return k_fach; }

private:
    std::unique_ptr<c_Datenliste> k_felder;
    c_Fach* k_fach = nullptr;
};

class c_Fehlzeit {
public:
    void setFelder(std::unique_ptr<c_Datenliste> felder) { k_felder = std::move(felder); }
    c_Datenliste* getFelder() const { return k_felder.get(); }
    void getBeginn(int* tag, int* monat, int* jahr) const;
    void getEnde(int* tag, int* monat, int* jahr) const;

private:
    std::unique_ptr<c_Datenliste> k_felder;
};

// Base of every appointment.
class c_Termin {
public:
    c_Termin() = default;
    virtual ~c_Termin() = default;
    c_Termin(const c_Termin&) = delete;
    c_Termin& operator=(const c_Termin&) = delete;

    void setFelder(std::unique_ptr<c_Datenliste> felder) { k_felder = std::move(felder); }
    c_Datenliste* getFelder() const { return k_felder.get(); }
    void setKlasse(c_Klasse* k) { k_klasse = k; }
    c_Klasse* getKlasse() const { return k_klasse; }
    void setRaum(c_Raum* r) { k_raum = r; }
    c_Raum* getRaum() const { return k_raum; }
    void setLehrer(c_Lehrer* l) { k_lehrer = l; }
    c_Lehrer* getLehrer() const { return k_lehrer; }
    void setFach(c_Fach* f) { k_fach = f; }
    c_Fach* getFach() const { return k_fach; }
    void setAStd(int v);
    int getAStd() const;
    void setEStd(int v);
    int getEStd() const;
    void setDauertermin(bool v) { k_dauertermin = v; }
    bool isDauertermin() const { return k_dauertermin; }
    void setEingeordnet(bool v) { k_eingeordnet = v; }
    bool isEingeordnet() const { return k_eingeordnet; }

protected:
    // Copies links, the weekly flag and a deep copy of the fields; not placed.
    void copyFrom(const c_Termin& t);

    c_Klasse* k_klasse = nullptr;
    c_Raum* k_raum = nullptr;
    c_Lehrer* k_lehrer = nullptr;
    c_Fach* k_fach = nullptr;
    bool k_dauertermin = false;
    bool k_eingeordnet = false;
    std::unique_ptr<c_Datenliste> k_felder;
};

class c_Einzeltermin : public c_Termin {
public:
    c_Einzeltermin() { k_dauertermin = false; }
    void setDatum(int tag, int monat, int jahr);
    void getDatum(int* tag, int* monat, int* jahr) const;
    void setName(std::string name);
    const std::string& getName() const;
    // A new appointment with the same links and a copy of the fields.
    std::unique_ptr<c_Einzeltermin> kopie() const;
};

class c_Vertretungstermin : public c_Einzeltermin {
public:
    void setVertretenerLehrer(c_Lehrer* l) { k_vertretenerLehrer = l; }
    c_Lehrer* getVertretenerLehrer() const { return k_vertretenerLehrer; }

private:
    c_Lehrer* k_vertretenerLehrer = nullptr;
};

class c_Dauertermin : public c_Termin {
public:
    c_Dauertermin() { k_dauertermin = true; }
    void setWochentag(std::string tag) { k_wochentag = std::move(tag); }
    // The weekday name; empty before the first set.
    const std::string& getWochentag() const { return k_wochentag; }
    // 1 Montag .. 5 Freitag; every other text gives 6.
    int getWochentagNummer() const;
    // A new weekly appointment with the same links, weekday and fields.
    std::unique_ptr<c_Dauertermin> kopie() const;

private:
    std::string k_wochentag;
};

// One curriculum entry: lessons per week of a subject in one grade level.
class c_Wunsch {
public:
    c_Fach* getFach() const { return k_fach; }
    void setFach(c_Fach* f) { k_fach = f; }
    int getJahrgang() const { return k_jahrgang; }
    void setJahrgang(int j) { k_jahrgang = j; }
    int getStunden() const { return k_stunden; }
    void setStunden(int s) { k_stunden = s; }
    int getStunden2() const { return k_stunden2; }
    void setStunden2(int s) { k_stunden2 = s; }

private:
    c_Fach* k_fach = nullptr;
    int k_jahrgang = 0;
    int k_stunden = 0;
    int k_stunden2 = 0;
};

// German weekday names used by the weekly appointments, index 1..7.
extern const char* const WOCHENTAGE[8];
