// Shared by the window tests: a scratch working folder with the message and
// file dialog doubles, a small known year, a main window on it, controls by
// id, and screenshots into the build folder.
#pragma once

#include "app/hauptfenster.h"
#include "model/datum.h"
#include "platform/text.h"
#include "platform/ui/dateidialog.h"
#include "platform/ui/listenansicht.h"
#include "platform/ui/meldung.h"
#include "tests/gui/modal_hilfe.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

inline std::string dateiInhalt(const std::string& pfad) {
    std::ifstream in(pfad, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The room a control leaves for its text at its font, as the style draws it.
inline int platzFuerText(const QComboBox* c) {
    QStyleOptionComboBox o;
    o.initFrom(c);
    o.editable = c->isEditable();
    o.frame = c->hasFrame();
    // The label is drawn one pixel inside the edit field on either side.
    return c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c).width() - 2;
}
inline int platzFuerText(const QHeaderView* h, int spalte) {
    return h->sectionSize(spalte) - 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
}
inline int platzFuerText(const QLineEdit* e) {
    QStyleOptionFrame o;
    o.initFrom(e);
    o.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, e) : 0;
    const QMargins m = e->textMargins();
    // Two pixels of margin on either side of the text line.
    return e->style()->subElementRect(QStyle::SE_LineEditContents, &o, e).width() - m.left() - m.right() - 4;
}

// Every heading of a list view shows whole in its column; with `ganz` the columns
// together also fit the list, so that no row needs scrolling sideways.
inline void pruefeSpalten(const TListenAnsicht* l, const std::string& wo, bool ganz) {
    const QFontMetrics fm(l->header()->font());
    for (int i = 0; i < l->anzahlSpalten(); ++i)
        EXPECT_LE(fm.horizontalAdvance(l->spaltenTitel(i)), platzFuerText(l->header(), i))
            << wo << ": " << l->spaltenTitel(i).toStdString();
    if (ganz) {
        EXPECT_LE(l->header()->length(), l->viewport()->width()) << wo;
    }
}
// Every entry of a choice shows whole when chosen.
inline void pruefeAuswahl(const QComboBox* c, const std::string& wo) {
    const QFontMetrics fm(c->font());
    for (int i = 0; i < c->count(); ++i)
        EXPECT_LE(fm.horizontalAdvance(c->itemText(i)), platzFuerText(c)) << wo << ": " << c->itemText(i).toStdString();
}
// A filled edit shows the start of its text: whole, or, when longer than the edit, from its first character.
inline void pruefeEdit(const QLineEdit* e, const std::string& wo) {
    if (e->fontMetrics().horizontalAdvance(e->text()) <= platzFuerText(e)) return;
    EXPECT_EQ(e->cursorPosition(), 0) << wo << ": " << e->text().toStdString();
    // Where the cursor is drawn, as the edit has last scrolled its text.
    const QRect cursor = e->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_LT(cursor.center().x(), e->width() / 4) << wo << ": " << e->text().toStdString();
}

// Builds and saves a small year: two subjects, two teachers, two rooms, a class,
// two students, weekly, single and substitution appointments in the week of
// Monday 4.3.2024.
inline void schreibeJahrgang(const char* datei) {
    c_Schulverwaltung sv;  // writes the standard structure file on a first start
    std::string fehler;
    sv.reset(&fehler);  // and now reads it
    auto felder = [](c_Datenliste* vorlage) { return std::make_unique<c_Datenliste>(*vorlage); };
    auto fach = [&](const char* name) {
        auto f = std::make_unique<c_Fach>(name);
        c_Fach* p = f.get();
        sv.addFach(f);
        return p;
    };
    c_Fach* mathe = fach("Mathematik");
    c_Fach* deutsch = fach("Deutsch");
    auto lehrer = [&](const char* name, const char* vorname, c_Fach* f) {
        auto l = std::make_unique<c_Lehrer>();
        l->setFelder(felder(sv.getLehrerStruktur()));
        l->getFelder()->setString("NAME", name);
        l->getFelder()->setString("VORNAME", vorname);
        l->getFelder()->setInt("PFLICHTSTUNDEN", 24);
        auto fl = std::make_unique<c_Fachliste>();
        fl->push_back(f);
        l->setFachliste(std::move(fl));
        c_Lehrer* p = l.get();
        sv.addLehrer(l);
        return p;
    };
    c_Lehrer* mueller = lehrer("Müller", "Anna", mathe);
    c_Lehrer* schmidt = lehrer("Schmidt", "Bernd", deutsch);
    auto raum = [&](const char* name, bool aktiv) {
        auto r = std::make_unique<c_Raum>();
        r->setFelder(felder(sv.getRaumStruktur()));
        r->getFelder()->setString("NAME", name);
        r->setAktiv(aktiv);
        r->setFachliste(std::make_unique<c_Fachliste>());
        c_Raum* p = r.get();
        sv.addRaum(r);
        return p;
    };
    raum("A001", false);
    c_Raum* r101 = raum("R101", true);
    auto k = std::make_unique<c_Klasse>();
    k->setFelder(felder(sv.getKlasseStruktur()));
    k->setJahrgangBez(5, 'a');
    k->setName("Sonnen");
    k->setKlassenlehrer(mueller);
    k->setKlassenraum(r101);
    c_Klasse* klasse = k.get();
    sv.addKlasse(k);
    for (const char* name : {"Zander", "Adler"}) {
        auto s = std::make_unique<c_Schueler>();
        s->setFelder(felder(sv.getSchuelerStruktur()));
        s->getFelder()->setString("NAME", name);
        s->getFelder()->setString("VORNAME", "Kim");
        s->setKlasse(klasse);
        sv.addSchueler(s);
    }
    auto d = std::make_unique<c_Dauertermin>();
    d->setFelder(felder(sv.getDauerterminStruktur()));
    d->setWochentag("Dienstag");
    d->setAStd(2);
    d->setEStd(3);
    d->setKlasse(klasse);
    d->setLehrer(schmidt);
    d->setRaum(r101);
    d->setFach(deutsch);
    sv.addDauertermin(d);
    auto e = std::make_unique<c_Einzeltermin>();
    e->setFelder(felder(sv.getEinzelterminStruktur()));
    e->setDatum(6, 3, 2024);
    e->setAStd(4);
    e->setEStd(4);
    e->setName("Ausflug");
    e->setKlasse(klasse);
    e->setLehrer(mueller);
    sv.addEinzeltermin(e);
    auto v = std::make_unique<c_Vertretungstermin>();
    v->setFelder(felder(sv.getVertretungsterminStruktur()));
    v->setDatum(5, 3, 2024);
    v->setAStd(3);
    v->setEStd(3);
    v->setName("Vertretung");
    v->setKlasse(klasse);
    v->setRaum(r101);
    v->setLehrer(mueller);
    v->setVertretenerLehrer(schmidt);
    sv.addVertretungstermin(v);
    ASSERT_EQ(sv.save(datei), 1);
}

class FensterTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_alt = fs::current_path();
        m_ordner = fs::temp_directory_path() / ("orvask-gui-" + std::to_string(::getpid()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_ordner);
        fs::create_directories(m_ordner);
        fs::current_path(m_ordner);
        text::setIgnoreCase(false);
        setHeute(5, 3, 2024);  // a Tuesday
        setzeMeldungsDienst(&m_meldungen);
        setzeDateiDialogDienst(&m_dateien);
    }
    void TearDown() override {
        setzeMeldungsDienst(nullptr);
        setzeDateiDialogDienst(nullptr);
        setHeute(0, 0, 0);
        fs::current_path(m_alt);
        fs::remove_all(m_ordner);
    }
    // A main window on a fresh year (the standard templates are written first).
    std::unique_ptr<TMainWindow> fenster(bool mitJahrgang = true) {
        if (mitJahrgang) schreibeJahrgang(AKTUELLE_DATEI);
        auto w = std::make_unique<TMainWindow>();
        w->resize(900, 560);
        w->setupFenster();
        return w;
    }
    template <class T>
    static T* kind(QWidget* w, int id) {
        return w->findChild<T*>(QString("id%1").arg(id));
    }
    // Saves a picture of the window into the build folder.
    void bild(QWidget* w, const char* name) {
        w->grab().save(bildschirmfotoOrdner() + QStringLiteral("/bild-") + QString::fromUtf8(name) + QStringLiteral(".png"));
    }

    fs::path m_alt, m_ordner;
    AufzeichnenderMeldungsDienst m_meldungen;
    AufzeichnenderDateiDialog m_dateien;
};
