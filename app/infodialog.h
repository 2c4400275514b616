// The about box.
#pragma once

#include <QDialog>

class TInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit TInfoDialog(QWidget* parent);
};
