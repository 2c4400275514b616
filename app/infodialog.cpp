#include "app/infodialog.h"

#include "platform/ui/bilder.h"
#include "platform/ui/dialogtasten.h"

#include <QLabel>
#include <QPushButton>

TInfoDialog::TInfoDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("id412");
    richteTastenEin(this);
    setWindowTitle("Information über das Programm");
    setFixedSize(300, 140);
    auto* symbol = new QLabel(this);
    symbol->setPixmap(bitmap(BILD_PROGRAMMSYMBOL));
    symbol->setGeometry(16, 16, 48, 48);
    auto* name = new QLabel("Tessaluna Schulverwaltung", this);
    QFont f = name->font();
    f.setBold(true);
    name->setFont(f);
    name->setGeometry(80, 20, 210, 20);
    auto* version = new QLabel("Version 1.2 BETA2", this);
    version->setGeometry(80, 44, 210, 20);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("id1");
    ok->setDefault(true);
    ok->setGeometry(110, 96, 80, 28);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
