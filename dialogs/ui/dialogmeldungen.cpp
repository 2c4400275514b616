#include "dialogs/ui/dialogmeldungen.h"

#include "platform/ui/meldung.h"

int TDialogMeldungen::zeige(const std::string& text, const std::string& caption, int flags) {
    return meldung(text, caption, flags, k_besitzer);
}
