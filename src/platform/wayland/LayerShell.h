#pragma once
// The layer shell's client code, whose generated C names a parameter
// "namespace", a word C++ keeps for itself.
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
