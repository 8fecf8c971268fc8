#pragma once
// The colour-list manager window.
#include <QDialog>

#include "colorlist/HuebirdLiteUtils.h"

class TFormColorList : public QDialog {
    Q_OBJECT
public:
    explicit TFormColorList(QWidget* parent = nullptr);
    TColorArray WorkList;
    std::int32_t SelectedIndex = 0;
};

extern TFormColorList* FormColorList;
