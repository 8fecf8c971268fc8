#include "platform/TerminationSignals.h"

// Nothing to catch: the program closes only from its window.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::Watch() {}

void TerminationSignals::ReadPipe() {}
