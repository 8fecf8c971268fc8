#pragma once
// Reads the Windows desktop: the pointer from GetCursorPos and the square
// around it with one BitBlt from the screen into a DIB section. The process
// is per-monitor DPI aware, so both are in physical pixels of the virtual
// desktop (negative left of and above the main monitor); Qt's screens map
// them to the logical place the program's windows use. Used on the GUI
// thread, where Qt's screens are read.
#include <vector>

#include "core/platform/ScreenMapping.h"
#include "platform/ScreenSampler.h"

class WinScreenSampler : public IScreenSampler {
public:
    WinScreenSampler();
    ~WinScreenSampler() override;
    WinScreenSampler(const WinScreenSampler&) = delete;
    WinScreenSampler& operator=(const WinScreenSampler&) = delete;

    ScreenPointer Pointer() override;
    void GrabAround(const ScreenPointer& pointer, int radius, QImage& out) override;

private:
    void ReadScreens();
    bool PrepareBitmap(int side);

    std::vector<ScreenArea> screens_;
    std::vector<GrabPiece> pieces_;
    void* screenDc_ = nullptr;  // HDC of the whole screen
    void* memoryDc_ = nullptr;  // HDC holding the bitmap
    void* bitmap_ = nullptr;    // HBITMAP, a top-down 32-bit DIB section
    void* oldBitmap_ = nullptr; // the memory DC's own bitmap
    const unsigned char* bits_ = nullptr;
    int side_ = 0;
};
