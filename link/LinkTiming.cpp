#include "link/LinkTiming.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {
std::atomic<double> g_scale {1.0};
}

namespace LinkTiming {

int Ms(int ms)
{
    if (ms <= 0)
        return ms;
    return std::max(1, static_cast<int>(std::lround(ms * g_scale.load())));
}

double Scale()
{
    return g_scale.load();
}

void SetScale(double scale)
{
    g_scale.store(scale);
}

} // namespace LinkTiming
