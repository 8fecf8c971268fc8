// Backends for platforms without an X server (the offscreen platform of the
// widget tests): nothing is sampled and no hotkey reaches the program.
#include "platform/null/NullPlatform.h"

QPoint NullScreenSampler::CursorPos() { return {}; }

void NullScreenSampler::Grab(const QRect& source, QImage& out)
{
    if (out.size() != source.size() || out.format() != QImage::Format_RGB32)
        out = QImage(source.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
}

bool NullGlobalHotkey::Register(int, unsigned, unsigned virtualKey) { return virtualKey != 0; }
void NullGlobalHotkey::Unregister(int) {}
