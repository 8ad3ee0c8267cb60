#pragma once

#include "common/IProgress.h"

// Shows progress in the modeless progress dialogs while a widget application
// runs.
class CProgressDialogFactory : public IProgressFactory
{
public:
    std::unique_ptr<IProgress> Open(IProgress::Kind kind, const QString& caption, const QString& status,
                                    int upper) override;
};
