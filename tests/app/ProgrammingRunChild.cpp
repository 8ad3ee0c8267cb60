#include "app/CWFDoc.h"

#include <QCoreApplication>

// A full programming run of the installation named on the command line, in
// a process of its own that the crash test kills at a point of its choosing.
// The program folder and profile come from WARDIX_HOME and WARDIX_PROFILE.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    CWFDoc doc;
    if (!doc.OnOpenDocument(QString::fromLocal8Bit(argv[1])))
        return 2;
    const int result = doc.PrepareNetworkProgramming(0, 0);
    doc.OnCloseDocument();
    return result == 1 ? 0 : 1;
}
