#pragma once

#include <QByteArray>

#include <functional>

class CPanelEvent;
class QObject;

// Builds the event of an event record (from its address byte, at least
// CPanelEvent::kRecordSize bytes) on the stack and hands it to use while it
// lives. False, with nothing built, for a type byte no kind takes.
bool BuildPanelEvent(const QByteArray& record, const std::function<void(const CPanelEvent&)>& use);

// Builds the record's event and sends it to the pane (WM_USER+6, lParam the
// event, valid only during the call).
void PostEventRecord(const QByteArray& record, QObject* pane);
