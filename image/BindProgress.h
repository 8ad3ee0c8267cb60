#pragma once

#include <QString>

#include <memory>

class CProgressBase;

// The modeless progress dialog a binding phase shows while it works, closed
// when the phase returns. Without a widget application (a tool, a benchmark)
// there is nothing to show and every call is a no-op.
class BindProgress
{
public:
    enum Kind { Percent, Plain };

    BindProgress(Kind kind, const QString& caption, const QString& status, int upper);
    ~BindProgress();
    BindProgress(const BindProgress&) = delete;
    BindProgress& operator=(const BindProgress&) = delete;

    void SetPos(int position);

private:
    std::unique_ptr<CProgressBase> m_dialog;
};

inline constexpr const char* kBindingDataCaption = "Binding Data";
