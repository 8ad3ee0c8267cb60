#pragma once

class CWFDoc;

// Empties the installation's network command queue and forgets what was last
// programmed, so that the next programming run sends everything. A file of
// "Last Programmed On Net" that cannot be deleted is reported and the rest
// are still deleted. True when everything was cleared.
bool ClearCommandQueue(CWFDoc& doc);
