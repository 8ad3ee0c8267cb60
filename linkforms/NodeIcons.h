#pragma once

#include <QIcon>

// The pictures of the network status pane, drawn by the program: a node
// state's icon resource as the queue gives it, and a network's letter.
namespace NodeIcons {

// A null icon for the queue's "no icon" and for numbers it never gives.
QIcon StateIcon(int resource);
// network 1-8.
QIcon NetworkIcon(int network);

} // namespace NodeIcons
