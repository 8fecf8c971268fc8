#pragma once
// Shows the tick through the window's widgets: the way that works everywhere.
#include "ui/TickPresenter.h"

class QtTickPresenter : public TickPresenter {
public:
    explicit QtTickPresenter(const TickWidgets& widgets) : widgets_(widgets) {}
    void show(const TickFrame& frame) override;

private:
    TickWidgets widgets_;
};
