// Helpers of the window tests: driving a modal window from inside its event loop, and the
// folder the screenshots go to.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Runs `handle` on the modal widget of type T once it is shown (the code under test is then
// inside its exec()). The look-out ticks every 10 ms while an event loop runs; one that has
// not found the widget after 500 ticks gives up and closes whatever is modal, and a widget
// that `handle` leaves open is closed 300 ticks later, so that a fault fails the test instead
// of hanging it. Ticks are counted, not time: a busy machine only makes them come later.
template <typename T>
void beiModalemFenster(std::function<void(T*)> handle, bool* gefunden)
{
    *gefunden = false;
    auto* timer = new QTimer(qApp);
    struct Stand {
        int ticks = 0;
        bool gefunden = false;
        QPointer<T> offen;
    };
    auto stand = std::make_shared<Stand>();
    auto ende = [timer] {
        timer->stop();
        timer->deleteLater();
    };
    QObject::connect(timer, &QTimer::timeout, [stand, ende, handle, gefunden] {
        ++stand->ticks;
        if (stand->gefunden) {
            // Waits for the window `handle` left open; closes it should it stay.
            if (!stand->offen || !stand->offen->isVisible() || stand->ticks > 300) {
                if (stand->offen && stand->offen->isVisible())
                    stand->offen->close();
                ende();
            }
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (T* fenster = qobject_cast<T*>(modal); fenster && fenster->isVisible()) {
            stand->gefunden = true;
            *gefunden = true;
            stand->ticks = 0;
            QPointer<T> w(fenster);
            handle(fenster);
            stand->offen = w;
            return;
        }
        if (stand->ticks > 500) {
            if (modal)
                modal->close();
            ende();
        }
    });
    timer->start(10);
}

// Every picture a test saves goes here: a folder beside the test binary, which lives in the build
// folder, so that no picture lands in the source tree, whatever folder the tests were started in.
inline QString bildschirmfotoOrdner()
{
    const QString ordner = QCoreApplication::applicationDirPath() + QStringLiteral("/bildschirmfotos");
    QDir().mkpath(ordner);
    return ordner;
}
