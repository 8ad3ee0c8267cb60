#include "image/BindProgress.h"

#include "common/ProgramObjects.h"

BindProgress::BindProgress(Kind kind, const QString& caption, const QString& status, int upper)
{
    if (IProgressFactory* factory = GetProgressFactory())
        m_display = factory->Open(kind == Percent ? IProgress::Percent : IProgress::Plain, caption, status, upper);
}

BindProgress::~BindProgress() = default;

void BindProgress::SetPos(int position)
{
    if (m_display)
        m_display->SetPos(position);
}
