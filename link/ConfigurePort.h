#pragma once

class SerialPort;

// Sets an open port up for the panel line (38400 8N1, raw, no flow control,
// reads done at the first byte). Each failed step shows its message; false
// then.
bool ConfigurePort(SerialPort& port);
