#pragma once

#include "app/CProgressBase.h"

// The progress window of a folder copy: its title, the file being copied and
// a bar. Nothing in it stops the copy, and Escape does not close it.
class CShellProgressDlg : public CProgressBase
{
    Q_OBJECT
public:
    explicit CShellProgressDlg(const QString& caption);

protected:
    void reject() override {}
};
