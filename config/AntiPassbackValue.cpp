#include "config/AntiPassbackValue.h"

#include "app/CWFDoc.h"

void AntiPassbackValue::Load(CWFDoc& doc)
{
    const int stored = doc.AntiPassbackTime(0, 1);
    index = stored < kChoices ? stored : kNoSelection;
    chosen = false;
}

void AntiPassbackValue::Store(CWFDoc& doc) const
{
    if (chosen && index >= 0 && index < kChoices)
        doc.AntiPassbackTime(index, 0);
}
