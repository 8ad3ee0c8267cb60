#pragma once

class CNetCommandQueue;

// The network the monitor forms show: the link's current network, network 1
// before the link has chosen one. 0 while no installation is open.
int MonitorNetwork();
// The open installation's command queue; null while none is open.
CNetCommandQueue* MonitorQueue();
