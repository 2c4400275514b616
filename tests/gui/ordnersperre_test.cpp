// The start in a working folder that holds a lock file: a lock that cannot be proven live is taken
// over only when the user says so, one that cannot be replaced ends the start with its reason, a
// folder where no lock can be made is reported once, and the program really running here refuses.
#include "app/anwendung.h"
#include "fensterhilfe.h"
#include "platform/systemfehler.h"
#include "tests/core/alsnobody.h"
#include "vollefestplatte.h"

#include <QProcess>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using testhilfe::alsNobody;
using testhilfe::gibNobody;

class OrdnersperreTest : public FensterTest {
protected:
    std::string pfad() const { return (m_ordner / SPERRDATEI).string(); }
    static void schreibe(const fs::path& datei, const std::string& bytes) { std::ofstream(datei, std::ios::binary) << bytes; }
    // The lock of a process of this program that was killed.
    static std::string toteSperre() {
        SperrAngaben a = eigeneSperrAngaben();
        a.pid = ::fork();
        if (a.pid == 0) ::_exit(0);
        ::waitpid(static_cast<pid_t>(a.pid), nullptr, 0);
        return sperrInhalt(a);
    }
    // Starts the program in `ordner`; true once it holds the folder's lock.
    static bool starte(QProcess& p, const fs::path& ordner) {
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(umgebung);
        p.setWorkingDirectory(QString::fromStdString(ordner.string()));
        p.start(ORVASK_PROGRAMM, {});
        SperrAngaben a;
        return QTest::qWaitFor(
            [&] { return leseSperrAngaben(dateiInhalt((ordner / SPERRDATEI).string()), a) && a.pid == p.processId(); },
            60000);
    }
    static bool enthaelt(const std::string& text, const std::string& teil) { return text.find(teil) != std::string::npos; }
};

TEST_F(OrdnersperreTest, ALockThatCannotBeProvenLiveIsTakenOverOnlyWhenTheUserSaysSo) {
    const std::pair<std::string, std::string> faelle[] = {
        {"", "Sie ist leer, daher ist nicht bekannt, von welchem Computer und Programm sie stammt."},
        {std::string("\x8f\x03\xff\xd2 \x11\x9c\n\0\x7f", 10), "Sie enthält keine gültigen Angaben, daher"},
        {"12345\norvaskeln\nandererpc\n", "Sie stammt von der Schulverwaltung auf dem Computer „andererpc“ "
                                          "(Prozessnummer 12345). Möglicherweise läuft das Programm dort noch"},
    };
    for (const auto& [bytes, grund] : faelle) {
        for (const int antwort : {IDNO, IDYES}) {
            SCOPED_TRACE(grund + (antwort == IDYES ? ": Ja" : ": Nein"));
            schreibe(SPERRDATEI, bytes);
            m_meldungen.leeren();
            m_meldungen.antworte(antwort);
            std::unique_ptr<Sperrdatei> sperre;
            const Ordnersperre ergebnis = sperreArbeitsordner(sperre);
            ASSERT_EQ(m_meldungen.anzahl(), 1u);
            const auto& frage = m_meldungen.letzte();
            EXPECT_EQ(frage.caption, "Arbeitsordner gesperrt");
            EXPECT_EQ(frage.flags, MB_YESNO | MB_ICONQUESTION);
            EXPECT_EQ(frage.text.rfind("Der Arbeitsordner ist durch die Sperrdatei „" + pfad() + "“ gesperrt.\n", 0), 0u);
            EXPECT_TRUE(enthaelt(frage.text, grund)) << frage.text;
            EXPECT_TRUE(enthaelt(frage.text, "Möchten Sie die alte Sperre entfernen und den Arbeitsordner übernehmen?"));
            SperrAngaben a;
            const bool eigene = leseSperrAngaben(dateiInhalt(SPERRDATEI), a) && a.pid == ::getpid();
            EXPECT_EQ(ergebnis, antwort == IDYES ? Ordnersperre::Gesperrt : Ordnersperre::Abgelehnt);
            EXPECT_EQ(sperre != nullptr, antwort == IDYES);
            EXPECT_EQ(eigene, antwort == IDYES);
            if (antwort == IDNO) {
                EXPECT_EQ(dateiInhalt(SPERRDATEI), bytes);
            }
            sperre.reset();
        }
    }
}

TEST_F(OrdnersperreTest, ALockThatCannotBeRemovedEndsTheStartAFolderWithoutALockIsReportedOnce) {
    const std::string beendet = ").\nOhne Sperre lässt sich nicht ausschließen, dass eine andere Schulverwaltung in "
                                "diesem Arbeitsordner arbeitet; das Programm wird beendet.";
    const std::string voll = systemFehlerText(EFBIG);
    enum Vorher { ORDNER, ALTE_SPERRE, NICHTS };
    const struct {
        Vorher vorher;
        Ordnersperre ergebnis;
        std::string text;
    } faelle[] = {
        {ORDNER, Ordnersperre::Unentfernbar,
         "Die Sperrdatei „" + pfad() + "“ lässt sich nicht entfernen (es ist ein Ordner" + beendet},
        {ALTE_SPERRE, Ordnersperre::NichtMoeglich,
         "Die Schulverwaltung kann in diesem Arbeitsordner nicht speichern: Die alte Sperrdatei „" + pfad() +
             "“ wurde entfernt, aber eine neue lässt sich nicht anlegen (" + voll +
             ").\nDas Programm startet trotzdem, ohne den Ordner zu sperren."},
        {NICHTS, Ordnersperre::NichtMoeglich,
         "Die Schulverwaltung kann in diesem Arbeitsordner nicht speichern: Die Sperrdatei „" + pfad() +
             "“ lässt sich nicht anlegen (" + voll + ").\nDas Programm startet trotzdem, ohne den Ordner zu sperren."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        if (f.vorher == ORDNER) fs::create_directories(fs::path(SPERRDATEI) / "inhalt");
        if (f.vorher == ALTE_SPERRE) schreibe(SPERRDATEI, toteSperre());
        m_meldungen.leeren();
        std::unique_ptr<Sperrdatei> sperre;
        Ordnersperre ergebnis;
        {
            // The two others on a full disk.
            std::unique_ptr<VolleFestplatte> platte;
            if (f.vorher != ORDNER) platte = std::make_unique<VolleFestplatte>(0);
            ergebnis = sperreArbeitsordner(sperre);
        }
        EXPECT_EQ(ergebnis, f.ergebnis);
        EXPECT_EQ(sperre, nullptr);
        ASSERT_EQ(m_meldungen.anzahl(), 1u);
        EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
        EXPECT_EQ(m_meldungen.letzte().flags, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_EQ(m_meldungen.letzte().text, f.text);
        // The folder stays; a lock that could not be filled is not left behind empty.
        EXPECT_EQ(fs::exists(SPERRDATEI), f.vorher == ORDNER);
        fs::remove_all(SPERRDATEI);
    }
}

TEST_F(OrdnersperreTest, ForAnOrdinaryUserAWriteProtectedStaleLockGoesAWriteProtectedFolderIsReported) {
    const std::string rechner = eigeneSperrAngaben().rechner;
    const struct {
        std::string sperre;  // empty: none
        mode_t ordnerModus;
        std::string befund;  // result, number of messages, whose lock the file is then
        std::string text;
    } faelle[] = {
        {toteSperre(), 0755, "0 0 eigene", ""},
        {"", 0555, "4 1 keine", "“ lässt sich nicht anlegen (keine Berechtigung)"},
        {toteSperre(), 0555, "3 1 fremde", "“ lässt sich nicht entfernen (keine Berechtigung)"},
        // The number runs here, but as another user's process it cannot be looked at: asked, Ja.
        {"1\norvaskeln\n" + rechner + "\n", 0755, "0 1 eigene",
         "Unter dieser Prozessnummer läuft ein Programm, das sich nicht prüfen lässt"},
    };
    int nummer = 0;
    for (const auto& f : faelle) {
        const fs::path ordner = m_ordner / std::to_string(++nummer);
        SCOPED_TRACE(ordner.string());
        fs::create_directories(ordner);
        if (!f.sperre.empty()) {
            schreibe(ordner / SPERRDATEI, f.sperre);
            ASSERT_EQ(::chmod((ordner / SPERRDATEI).c_str(), 0444), 0);
            ASSERT_TRUE(gibNobody(ordner / SPERRDATEI));
        }
        ASSERT_TRUE(gibNobody(ordner));
        ASSERT_EQ(::chmod(ordner.c_str(), f.ordnerModus), 0);
        const std::string antwort = alsNobody([&] {
            if (::chdir(ordner.c_str()) != 0) return std::string();
            m_meldungen.leeren();
            std::unique_ptr<Sperrdatei> sperre;
            const Ordnersperre ergebnis = sperreArbeitsordner(sperre);
            SperrAngaben a;
            const char* wessen = !fs::exists(SPERRDATEI) ? "keine"
                                 : leseSperrAngaben(dateiInhalt(SPERRDATEI), a) && a.pid == ::getpid() ? "eigene"
                                                                                                       : "fremde";
            sperre.reset();
            return std::to_string(static_cast<int>(ergebnis)) + " " + std::to_string(m_meldungen.anzahl()) + " " +
                   wessen + "\n" + (m_meldungen.anzahl() ? m_meldungen.letzte().text : "");
        });
        ::chmod(ordner.c_str(), 0755);
        EXPECT_EQ(antwort.substr(0, antwort.find('\n')), f.befund) << antwort;
        EXPECT_TRUE(enthaelt(antwort, f.text)) << antwort;
    }
}

TEST_F(OrdnersperreTest, TheNumberOfTheProgramInAnotherFolderIsAskedAboutTheProgramHereRefuses) {
    fs::create_directories("b");
    QProcess inB, hier;
    ASSERT_TRUE(starte(inB, m_ordner / "b"));
    // A lock here naming that process on this computer, as one left from before a crash may.
    const std::string rechner = eigeneSperrAngaben().rechner, pid = std::to_string(inB.processId());
    const std::string alte = pid + "\norvaskeln\n" + rechner + "\n";
    schreibe(SPERRDATEI, alte);
    m_meldungen.antworte(IDNO);
    std::unique_ptr<Sperrdatei> sperre;
    EXPECT_EQ(sperreArbeitsordner(sperre), Ordnersperre::Abgelehnt);
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_TRUE(enthaelt(m_meldungen.letzte().text,
                         "auf diesem Computer („" + rechner + "“, Prozessnummer " + pid +
                             "). Unter dieser Prozessnummer läuft jetzt eine Schulverwaltung in einem anderen Ordner („" +
                             (m_ordner / "b").string() + "“)"))
        << m_meldungen.letzte().text;
    EXPECT_EQ(dateiInhalt(SPERRDATEI), alte);

    // The program started here holds this folder.
    fs::remove(SPERRDATEI);
    ASSERT_TRUE(starte(hier, m_ordner));
    const std::string seine = dateiInhalt(SPERRDATEI);
    m_meldungen.leeren();
    EXPECT_EQ(sperreArbeitsordner(sperre), Ordnersperre::Belegt);
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
    EXPECT_EQ(m_meldungen.letzte().text, "Die Schulverwaltung läuft in diesem Arbeitsordner bereits.\nBitte arbeiten Sie "
                                         "in dem Fenster weiter, das schon geöffnet ist.\n\nSperrdatei: " + pfad());
    EXPECT_EQ(dateiInhalt(SPERRDATEI), seine);
    for (QProcess* p : {&inB, &hier}) {
        p->kill();
        p->waitForFinished(60000);
    }
}

}  // namespace
