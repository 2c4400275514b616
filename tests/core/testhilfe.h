// Shared helpers of the core tests: a scratch working folder, file access by
// bytes, and hand-built field lists and records.
#pragma once

#include "model/datensaetze.h"
#include "model/felder.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace testhilfe {

// Every test starts in exact comparison mode, since the mode is process-wide.
class ExaktTest : public ::testing::Test {
protected:
    void SetUp() override { text::setIgnoreCase(false); }
    void TearDown() override { text::setIgnoreCase(false); }
};

// Runs each test in a fresh empty working folder and removes it afterwards.
class OrdnerTest : public ExaktTest {
protected:
    void SetUp() override {
        ExaktTest::SetUp();
        m_alt = std::filesystem::current_path();
        std::string muster = (std::filesystem::temp_directory_path() / "orvask-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(&muster[0]), nullptr);
        m_ordner = muster;
        std::filesystem::current_path(m_ordner);
    }
    void TearDown() override {
        std::filesystem::current_path(m_alt);
        std::error_code ec;
        std::filesystem::remove_all(m_ordner, ec);
        ExaktTest::TearDown();
    }
    // Names of the entries of the working folder, sorted.
    static std::string eintraege() {
        std::string namen;
        std::vector<std::string> v;
        for (const auto& e : std::filesystem::directory_iterator(".")) v.push_back(e.path().filename().string());
        std::sort(v.begin(), v.end());
        for (const auto& n : v) namen += n + ";";
        return namen;
    }

    std::filesystem::path m_alt, m_ordner;
};

inline void schreibeDatei(const std::string& name, const std::string& bytes) {
    std::ofstream f(name, std::ios::binary);
    f << bytes;
}

inline std::string leseDatei(const std::string& name) {
    std::ifstream f(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// ---- fields

inline std::unique_ptr<c_datatype> intFeld(const char* name, int wert) {
    auto f = std::make_unique<c_IntObj>();
    f->setName(std::string(name));
    f->setWert(wert);
    return f;
}
inline std::unique_ptr<c_datatype> boolFeld(const char* name, bool wert) {
    auto f = std::make_unique<c_BoolObj>();
    f->setName(std::string(name));
    f->setWert(wert);
    return f;
}
inline std::unique_ptr<c_datatype> stringFeld(const char* name, const std::string& wert) {
    auto f = std::make_unique<c_StringObj>();
    f->setName(std::string(name));
    f->setWert(wert);
    return f;
}

// A template field with its form layout (length 50 unless given).
inline std::unique_ptr<c_datatype> vorlagenFeld(int typ, const char* name, const char* label, int x = 0, int y = 0,
                                                int w = 100, int h = 20, bool pflicht = false, int laenge = 50) {
    auto f = newField(typ);
    f->setName(std::string(name));
    f->setBeschreibung(std::string(label));
    f->setX(x);
    f->setY(y);
    f->setWeite(w);
    f->setHoehe(h);
    f->setLaenge(laenge);
    f->setPflicht(pflicht);
    return f;
}

template <class... F>
std::unique_ptr<c_Datenliste> felder(F... f) {
    auto l = std::make_unique<c_Datenliste>();
    (l->push_back(std::move(f)), ...);
    return l;
}

// ---- records

template <class P>
std::unique_ptr<P> person(const std::string& name, const std::string& vorname) {
    auto p = std::make_unique<P>();
    p->setFelder(felder(stringFeld("VORNAME", vorname), stringFeld("NAME", name)));
    return p;
}

inline std::unique_ptr<c_Klasse> klasse(int jahrgang, const std::string& bez) {
    auto k = std::make_unique<c_Klasse>();
    k->setFelder(felder(intFeld("JAHRGANG", jahrgang), stringFeld("BEZ", bez), stringFeld("NAME", "")));
    return k;
}

inline std::unique_ptr<c_Raum> raum(const std::string& name, std::initializer_list<c_Fach*> faecher = {}) {
    auto r = std::make_unique<c_Raum>();
    r->setFelder(felder(stringFeld("NAME", name), boolFeld("AKTIV", true)));
    auto l = std::make_unique<c_Fachliste>();
    for (c_Fach* f : faecher) l->push_back(f);
    r->setFachliste(std::move(l));
    return r;
}

inline std::unique_ptr<c_Einzeltermin> einzeltermin(int tag, int monat, int jahr, int astd, int estd) {
    auto t = std::make_unique<c_Einzeltermin>();
    t->setFelder(felder(intFeld("ASTD", astd), intFeld("ESTD", estd), intFeld("TAG", tag), intFeld("MONAT", monat),
                        intFeld("JAHR", jahr), stringFeld("NAME", "")));
    return t;
}

inline std::unique_ptr<c_Dauertermin> dauertermin(const std::string& tag, int astd, int estd, c_Lehrer* l = nullptr,
                                                  c_Raum* r = nullptr, c_Klasse* k = nullptr) {
    auto t = std::make_unique<c_Dauertermin>();
    t->setFelder(felder(intFeld("ASTD", astd), intFeld("ESTD", estd)));
    t->setWochentag(tag);
    t->setLehrer(l);
    t->setRaum(r);
    t->setKlasse(k);
    return t;
}

inline std::unique_ptr<c_Fehlzeit> fehlzeit(int at, int am, int aj, int et, int em, int ej) {
    auto f = std::make_unique<c_Fehlzeit>();
    f->setFelder(felder(intFeld("ATAG", at), intFeld("AMONAT", am), intFeld("AJAHR", aj), intFeld("ETAG", et),
                        intFeld("EMONAT", em), intFeld("EJAHR", ej)));
    return f;
}

// "d.m.y" of a single appointment.
inline std::string datum(const c_Einzeltermin& t) {
    int d, m, y;
    t.getDatum(&d, &m, &y);
    return std::to_string(d) + "." + std::to_string(m) + "." + std::to_string(y);
}

// Owns the records that a plain list holds for the length of one test.
template <class L>
struct Besitz {
    L liste;
    ~Besitz() { liste.deleteAll(); }
    template <class T>
    auto* add(std::unique_ptr<T> p) {
        T* roh = p.release();
        liste.push_back(roh);
        return roh;
    }
};

}  // namespace testhilfe
