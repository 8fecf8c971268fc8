#pragma once
// The About dialog.
#include <QDialog>

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);
};

extern TFormAbout* FormAbout;
