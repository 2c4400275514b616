// Helpers of the plug-in's window tests: a scratch working folder and an operator that answers
// the modal windows the code under test opens, one step per window, in order.
#pragma once

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "tests/core/testhilfe.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

namespace vendralimo_test {

using testhilfe::leseDatei;
using testhilfe::schreibeDatei;

// Each test runs in an empty folder that holds an aktuell.sdb with known contents.
class ImOrdner : public ::testing::Test {
protected:
    static constexpr const char* kAlt = "# alter Jahrgang\r\n";
    void SetUp() override {
        ASSERT_TRUE(m_ordner.isValid());
        m_vorher = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_ordner.path()));
        schreibeDatei("aktuell.sdb", kAlt);
        schreibeDatei("fremd.txt", "Liebe Eltern,\nder Wandertag faellt aus.\n");
    }
    void TearDown() override { QDir::setCurrent(m_vorher); }
    std::string pfad(const char* name) const { return m_ordner.filePath(QString::fromUtf8(name)).toStdString(); }

    QTemporaryDir m_ordner;
    QString m_vorher;
};

// Runs the steps on the modal windows as they come up. A window that no step is left for, or
// one that stays open for 1000 ticks of the 10 ms look-out after the last step, is closed, so
// that a fault fails instead of hanging. Ticks are counted, not time: a busy machine only
// makes them come later.
class Bediener {
public:
    using Schritt = std::function<void(QWidget*)>;
    explicit Bediener(std::deque<Schritt> schritte) : m_schritte(std::move(schritte)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start(10);
    }
    std::size_t offen() const { return m_schritte.size(); }
    int unerwartet() const { return m_unerwartet; }

private:
    void tick() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w == m_letzter) {
            if (++m_ticks > 1000 && w) w->close();
            return;
        }
        m_letzter = w;
        m_ticks = 0;
        if (m_schritte.empty()) {
            ++m_unerwartet;
            w->close();
            return;
        }
        Schritt s = std::move(m_schritte.front());
        m_schritte.pop_front();
        s(w);
    }

    std::deque<Schritt> m_schritte;
    QPointer<QWidget> m_letzter;
    QTimer m_timer;
    int m_ticks = 0;
    int m_unerwartet = 0;
};

inline QString bildOrdner() {
    const QString ordner = QCoreApplication::applicationDirPath() + QStringLiteral("/bildschirmfotos");
    QDir().mkpath(ordner);
    return ordner;
}

}  // namespace vendralimo_test
