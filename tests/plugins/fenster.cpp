// With a window of its own and plain names: start puts a label on the host's
// window; every call is recorded, and so are the destruction of that label
// and the unloading of the library, which must come in that order.
#include "protokoll.h"

#include <QLabel>
#include <QPointer>

namespace {
class Fenster : public QLabel {
public:
    explicit Fenster(QWidget* eltern) : QLabel("Fenster der Test-Erweiterung", eltern) {
        setObjectName("erweiterungsfenster");
        setAlignment(Qt::AlignCenter);
        setFrameShape(QFrame::Box);
    }
    ~Fenster() override { protokoll("fenster", "fenster-zerstoert"); }
};
QPointer<Fenster> s_fenster;

__attribute__((destructor)) void entladen() { protokoll("fenster", "entladen"); }
}  // namespace

extern "C" {
int hasgui(void) { return 1; }
const char* getname(void) { return "Testfenster"; }
void start(void* fenster) {
    protokolliereStart("fenster", fenster);
    s_fenster = new Fenster(static_cast<QWidget*>(fenster));
    s_fenster->setGeometry(13, 25, 300, 120);
}
void hide(void) {
    protokoll("fenster", "hide");
    if (s_fenster) s_fenster->hide();
}
void show(void) {
    protokoll("fenster", "show");
    if (s_fenster) s_fenster->show();
}
void update(void) { protokoll("fenster", "update"); }
void neu(void) { protokoll("fenster", "neu"); }
void aendern(void) { protokoll("fenster", "aendern"); }
void loeschen(void) { protokoll("fenster", "loeschen"); }
void close(void) { protokoll("fenster", "close"); }
}
