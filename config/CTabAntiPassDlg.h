#pragma once

#include "config/AntiPassbackValue.h"
#include "config/INetworkSettingsPage.h"

#include <QWidget>

class CWFDoc;
class QComboBox;

// The anti-passback time, 1 to 4 minutes.
class CTabAntiPassDlg : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    explicit CTabAntiPassDlg(CWFDoc& doc, QWidget* parent = nullptr);

    void Store() override;

    QComboBox* TimeList() const { return m_list; }

private:
    CWFDoc& m_doc;
    AntiPassbackValue m_value;
    QComboBox* m_list = nullptr;
};
