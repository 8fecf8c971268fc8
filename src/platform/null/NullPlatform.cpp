// Backends for platforms without an X server (the offscreen platform of the
// widget tests): nothing is sampled and no hotkey reaches the program.
#include "platform/null/NullPlatform.h"

ScreenPointer NullScreenSampler::Pointer() { return {}; }

void NullScreenSampler::GrabAround(const ScreenPointer&, int radius, QImage& out)
{
    const QSize size(2 * radius + 1, 2 * radius + 1);
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    out.fill(Qt::white);
}

bool NullGlobalHotkey::Register(int, QKeyCombination combination) { return combination.key() != Qt::Key(0); }
void NullGlobalHotkey::Unregister(int) {}
