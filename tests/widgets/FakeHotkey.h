#pragma once
// A desktop's global hotkeys as the tests play them: registrations are
// recorded, the combinations the test names are refused, and the test presses
// a hotkey by its identifier.
#include <QKeyCombination>
#include <algorithm>
#include <vector>

#include "platform/GlobalHotkey.h"

class FakeHotkey : public IGlobalHotkey {
public:
    struct Registration {
        int id;
        QKeyCombination combination;
    };
    std::vector<Registration> active;
    std::vector<QKeyCombination> refused;
    int registerCalls = 0;

    bool Register(int id, QKeyCombination combination) override
    {
        ++registerCalls;
        if (std::ranges::find(refused, combination) != refused.end())
            return false;
        active.push_back({id, combination});
        return true;
    }
    void Unregister(int id) override
    {
        std::erase_if(active, [id](const Registration& r) { return r.id == id; });
    }
    // The one registered hotkey's identifier; 0 when none is.
    int activeId() const { return active.size() == 1 ? active[0].id : 0; }
    void Press(int id) { emit HotKeyPressed(id); }
    void RefuseLater(int id) { emit RegistrationRefused(id); }
};
