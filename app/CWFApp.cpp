#include "app/CWFApp.h"

#include <cstdio>

CWFApp::CWFApp() = default;
CWFApp::~CWFApp() = default;

int CWFApp::Run(const QStringList&)
{
    std::puts("Wardix: the main window is not built yet; this build keeps its settings and "
              "vocabulary and runs its tests.");
    return 0;
}
