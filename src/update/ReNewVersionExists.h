#pragma once
// The dialog that offers the download page of a newer version.
#include <QDialog>

class TNewVersionExists : public QDialog {
    Q_OBJECT
public:
    explicit TNewVersionExists(QWidget* parent = nullptr);
};

extern TNewVersionExists* NewVersionExists;
