#pragma once

#include <QStringList>

// The application object: owns the run's settings and objects.
class CWFApp
{
public:
    CWFApp();
    ~CWFApp();

    // Runs the program with its command line; returns the exit code.
    int Run(const QStringList& arguments);
};
