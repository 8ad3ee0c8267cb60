#include "database/ITelephonyLines.h"

namespace
{
class NoTelephonyLines final : public ITelephonyLines
{
public:
    TelephonyInit Initialize(int& deviceCount) override
    {
        deviceCount = 0;
        return TelephonyInit::NoDevice;
    }
    bool NegotiateApiVersion(int) override { return false; }
    std::optional<TelephonyLineCaps> GetDevCaps(int) override { return std::nullopt; }
    QIcon GetLineIcon(int) override { return {}; }
    void SetLinkLine(int) override {}
    void ShowDialingProperties(QWidget*) override {}
};

NoTelephonyLines g_noLines;
ITelephonyLines* g_lines = &g_noLines;
} // namespace

ITelephonyLines& GetTelephonyLines()
{
    return *g_lines;
}

void SetTelephonyLines(ITelephonyLines* lines)
{
    g_lines = lines ? lines : &g_noLines;
}
