#pragma once

#include "common/IProgress.h"

#include <QString>

#include <memory>

// The progress display a binding phase shows while it works, closed when the
// phase returns. Without a display to show on (a tool, a benchmark) every
// call is a no-op.
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
    std::unique_ptr<IProgress> m_display;
};

inline constexpr const char* kBindingDataCaption = "Binding Data";
