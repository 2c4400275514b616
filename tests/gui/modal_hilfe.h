// Helpers of the window tests: driving a modal window from inside its event loop, and the
// folder the screenshots go to.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `handle` on the modal widget of type T once it is shown (the code under test is then
// inside its exec()). A widget that never appears, or that `handle` leaves open, is rejected
// after a few seconds so that a fault fails the test instead of hanging it.
template <typename T>
void beiModalemFenster(std::function<void(T*)> handle, bool* gefunden)
{
    *gefunden = false;
    auto* timer = new QTimer(qApp);
    auto* uhr = new QElapsedTimer;
    uhr->start();
    QObject::connect(timer, &QTimer::timeout, [timer, uhr, handle, gefunden] {
        QWidget* modal = QApplication::activeModalWidget();
        if (T* fenster = qobject_cast<T*>(modal); fenster && !*gefunden && fenster->isVisible()) {
            *gefunden = true;
            QPointer<T> w(fenster);
            handle(fenster);
            if (w && w->isVisible())
                QTimer::singleShot(3000, w, [w] { if (w) w->close(); });
        }
        if (*gefunden || uhr->elapsed() > 5000) {
            if (!*gefunden && modal)
                modal->close();
            timer->stop();
            timer->deleteLater();
            delete uhr;
        }
    });
    timer->start(10);
}

inline QString bildschirmfotoOrdner()
{
    const QString ordner = QCoreApplication::applicationDirPath() + QStringLiteral("/bildschirmfotos");
    QDir().mkpath(ordner);
    return ordner;
}
