#pragma once

// Every millisecond figure of the link (reply time-outs, modem waits, guard
// times, the stop wait) passes through one scale, so tests run the link's
// time-outs in a fraction of their real length.
namespace LinkTiming {

// The scaled length of a wait of ms milliseconds; at least 1 for any wait.
int Ms(int ms);

double Scale();
// 1.0 is real time.
void SetScale(double scale);

// Sets a scale for a scope and puts the previous one back.
class ScopedScale
{
public:
    explicit ScopedScale(double scale) : m_previous(Scale()) { SetScale(scale); }
    ~ScopedScale() { SetScale(m_previous); }
    ScopedScale(const ScopedScale&) = delete;
    ScopedScale& operator=(const ScopedScale&) = delete;

private:
    double m_previous;
};

} // namespace LinkTiming
