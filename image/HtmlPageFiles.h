#pragma once

#include <QString>

// The fixed files of the node memory view ("wf.css", "wf.js", "Marrowin.htm",
// "tree.js"): our own small page that lists the sections of "data.js" and
// shows the chosen one's table.
namespace HtmlPageFiles {

// Writes each page file that htmlFolder lacks (making the folder); files
// already there are left as they are. False when one could not be written.
bool WriteMissing(const QString& htmlFolder);

} // namespace HtmlPageFiles
