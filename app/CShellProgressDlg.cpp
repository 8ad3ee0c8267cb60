#include "app/CShellProgressDlg.h"

namespace {
// Wide enough for the paths of an installation's files.
constexpr int kMinimumWidth = 420;
} // namespace

CShellProgressDlg::CShellProgressDlg(const QString& caption) : CProgressBase(caption, 1)
{
    setMinimumWidth(kMinimumWidth);
}
