// The built module itself, loaded with dlopen: its exact export list, the name and window flag,
// the functions that do nothing, and the start function with the real dialogs.
#include "plugins/vendralimo/tests/gui_hilfe.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <set>

using namespace vendralimo_test;

namespace {

const std::string kModul = VENDRALIMO_MODUL;
const std::string kDaten = VENDRALIMO_TESTDATEN;

// The names of the symbols a shared library defines in its dynamic symbol table.
std::set<std::string> definierteSymbole(const std::string& datei) {
    const std::string b = leseDatei(datei);
    std::set<std::string> namen;
    Elf64_Ehdr kopf;
    if (b.size() < sizeof kopf) return namen;
    std::memcpy(&kopf, b.data(), sizeof kopf);
    if (std::memcmp(kopf.e_ident, ELFMAG, SELFMAG) != 0 || kopf.e_ident[EI_CLASS] != ELFCLASS64) return namen;
    auto abschnitt = [&](std::size_t i) {
        Elf64_Shdr s;
        std::memcpy(&s, b.data() + kopf.e_shoff + i * sizeof s, sizeof s);
        return s;
    };
    for (std::size_t i = 0; i < kopf.e_shnum; ++i) {
        const Elf64_Shdr dynsym = abschnitt(i);
        if (dynsym.sh_type != SHT_DYNSYM) continue;
        const Elf64_Shdr strtab = abschnitt(dynsym.sh_link);
        for (std::size_t off = 0; off + sizeof(Elf64_Sym) <= dynsym.sh_size; off += sizeof(Elf64_Sym)) {
            Elf64_Sym sym;
            std::memcpy(&sym, b.data() + dynsym.sh_offset + off, sizeof sym);
            const int bindung = ELF64_ST_BIND(sym.st_info);
            if (sym.st_shndx != SHN_UNDEF && sym.st_name != 0 && (bindung == STB_GLOBAL || bindung == STB_WEAK))
                namen.insert(b.data() + strtab.sh_offset + sym.st_name);
        }
    }
    return namen;
}

class Modul : public ImOrdner {
protected:
    void SetUp() override {
        ImOrdner::SetUp();
        m_h = dlopen(kModul.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_h, nullptr) << dlerror();
    }
    void TearDown() override {
        if (m_h) dlclose(m_h);
        ImOrdner::TearDown();
    }
    template <class F>
    F* fn(const char* name) {
        return reinterpret_cast<F*>(dlsym(m_h, name));
    }
    void* m_h = nullptr;
};

}  // namespace

TEST_F(Modul, ExportiertGenauDieEinstiegsfunktionen) {
    const std::set<std::string> erwartet = {"_hasgui", "_getname", "_start", "_hide",   "_show",
                                            "_neu",    "_aendern", "_loeschen", "_update"};
    EXPECT_EQ(definierteSymbole(kModul), erwartet);
}

TEST_F(Modul, NameFensterlosUndFunktionenOhneWirkung) {
    ASSERT_NE(fn<const char*()>("_getname"), nullptr);
    const char* name = fn<const char*()>("_getname")();
    EXPECT_STREQ(name, "Importieren einer alten Schulverwaltungsdatei (.ssv)");
    EXPECT_EQ(fn<const char*()>("_getname")(), name);  // one static text
    EXPECT_EQ(fn<int()>("_hasgui")(), 0);
    for (const char* f : {"_hide", "_show", "_neu", "_aendern", "_loeschen", "_update", "_hide"}) {
        ASSERT_NE(fn<void()>(f), nullptr) << f;
        fn<void()>(f)();
    }
    EXPECT_EQ(leseDatei("aktuell.sdb"), kAlt);
    EXPECT_EQ(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries).join(QLatin1Char(';')),
              QStringLiteral("aktuell.sdb;fremd.txt"));
}

TEST_F(Modul, StartMitDenEchtenDialogen) {
    schreibeDatei("v2.ssv", leseDatei(kDaten + "/v2.ssv"));
    auto start = fn<void(void*)>("_start");
    ASSERT_NE(start, nullptr);
    QWidget fenster;
    fenster.show();

    auto klicke = [](QMessageBox::StandardButton knopf, QString* titel = nullptr) {
        return [knopf, titel](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            if (titel) *titel = box->windowTitle();
            box->button(knopf)->click();
        };
    };
    auto waehle = [this](const char* datei, QWidget* eltern) {
        return [this, datei, eltern](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->parentWidget(), eltern);
            // Typed into the name field, as a user does (selectFile races with the folder model).
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromStdString(pfad(datei)));
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as the OK button does
        };
    };

    {  // No: nothing but the question.
        QString titel;
        Bediener b({klicke(QMessageBox::No, &titel)});
        start(&fenster);
        EXPECT_EQ(b.offen(), 0u);
        EXPECT_EQ(b.unerwartet(), 0);
        EXPECT_EQ(titel, QStringLiteral("Daten aus Vorgängerversion importieren"));
        EXPECT_EQ(leseDatei("aktuell.sdb"), kAlt);
    }
    {  // Yes, then a text file: the failure message, the year stays.
        QString titel;
        Bediener b({klicke(QMessageBox::Yes), waehle("fremd.txt", &fenster), klicke(QMessageBox::Ok, &titel)});
        start(&fenster);
        EXPECT_EQ(b.offen(), 0u);
        EXPECT_EQ(b.unerwartet(), 0);
        EXPECT_EQ(titel, QStringLiteral("Fehler"));
        EXPECT_EQ(leseDatei("aktuell.sdb"), kAlt);
    }
    {  // Yes, then an old year file: imported without a message.
        Bediener b({klicke(QMessageBox::Yes), waehle("v2.ssv", nullptr)});
        start(nullptr);
        EXPECT_EQ(b.offen(), 0u);
        EXPECT_EQ(b.unerwartet(), 0);
        EXPECT_EQ(leseDatei("aktuell.sdb"), leseDatei(kDaten + "/v2.sdb"));
    }
}
