#pragma once

#include "config/INetworkSettingsPage.h"
#include "config/TelephoneDirectoryValues.h"

#include <QSpinBox>
#include <QWidget>

#include <functional>

class CWFDoc;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// A spin whose arrows only report their step.
class CStepSpin : public QSpinBox
{
    Q_OBJECT
public:
    explicit CStepSpin(QWidget* parent = nullptr);
    void stepBy(int steps) override { emit Stepped(steps); }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

signals:
    void Stepped(int steps);
};

// The telephone-entry settings and the display messages of the panels.
class CTabTelephoneDirectory : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    // messagesChanged tells the editor that a display message was edited.
    CTabTelephoneDirectory(CWFDoc& doc, std::function<void()> messagesChanged, QWidget* parent = nullptr);

    void Store() override;
    void EditDisplay(int row);
    int MessageSet() const { return m_set; }

    QSpinBox* TalkTimeSpin() const { return m_talkTime; }
    QComboBox* PostalKeyList() const { return m_postalKey; }
    QComboBox* PbxList() const { return m_pbx; }
    QComboBox* CodeLengthList() const { return m_codeLength; }
    QComboBox* BeginsAtList() const { return m_beginsAt; }
    QCheckBox* IgnoreCaseBox() const { return m_ignoreCase; }
    CStepSpin* SetSpin() const { return m_setSpin; }
    QLabel* SetLabel() const { return m_setLabel; }
    QPushButton* ResetButton() const { return m_reset; }
    QTableWidget* MessageList() const { return m_messages; }

private:
    QWidget* BuildSettings();
    QWidget* BuildMessages();
    void FillMessageList();
    void OnSetStep(int steps);
    void OnReset();
    void OnCodeLengthChanged(int index);

    CWFDoc& m_doc;
    std::function<void()> m_messagesChanged;
    TelephoneDirectoryValues m_values;
    int m_set = 1;
    QSpinBox* m_talkTime = nullptr;
    QComboBox* m_postalKey = nullptr;
    QComboBox* m_pbx = nullptr;
    QComboBox* m_codeLength = nullptr;
    QComboBox* m_beginsAt = nullptr;
    QCheckBox* m_ignoreCase = nullptr;
    CStepSpin* m_setSpin = nullptr;
    QLabel* m_setLabel = nullptr;
    QPushButton* m_reset = nullptr;
    QTableWidget* m_messages = nullptr;
};
