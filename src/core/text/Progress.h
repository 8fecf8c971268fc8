#pragma once
// How far a long piece of work has come, told to whoever waits for it.
#include <functional>

inline constexpr int kProgressSteps = 1000;

// Called now and then with 0 to kProgressSteps; answers false to stop the work.
using Progress = std::function<bool(int step)>;

// The step of done out of total, for a Progress.
inline int ProgressStep(unsigned long long done, unsigned long long total)
{
    return total == 0 ? kProgressSteps : int(done >= total ? kProgressSteps : done * kProgressSteps / total);
}
