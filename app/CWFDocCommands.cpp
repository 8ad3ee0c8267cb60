#include "app/CWFDoc.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFSetupSheet.h"
#include "app/RunState.h"
#include "app/TaskState.h"
#include "app/CBackupDlg.h"
#include "app/CInstallationsDlg.h"
#include "app/CNewInstallationDlg.h"
#include "app/CSaveAsInstallationDlg.h"
#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "common/SharedHelpers.h"
#include "database/CInstallation.h"
#include "database/CInstallationBackup.h"
#include "database/InstallationName.h"
#include "database/WaitCursor.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"

#include <QDialog>

namespace {

const QString kInstallationExtension = QStringLiteral(".wfi");
// The installation file of the template a new installation is copied from.
const QString kTemplateFileTitle = QStringLiteral("New installation");

const char* const kAntiPassbackDisabledText = "All networks have anti-passback disabled.";
const char* const kPriorityAccessUpdatingText =
    "Controller's database is being updated. Priority Access will cause the application to terminate database "
    "update. \t\t\t\tThis may cause the controller to contain a corrupted database and leave the controller in an "
    "inoperable state requiring a local reset.";
const char* const kPriorityAccessQuestionText =
    "\n\r\n\rClick YES to interrupt database update and perform Priority Access or click NO to let the database "
    "update finish.";

// Closes the open installation's data around the copies of a backup or a
// restore, so its files are copied whole.
CInstallationBackup::InstallationDataSwitch DataSwitch(CWFDoc& doc)
{
    return [&doc](bool open) {
        if (doc.m_bInstallationOpen)
            doc.OpenInstallation(open);
    };
}

QString BackupsFolder()
{
    const CWFApp* app = GetApp();
    return app ? app->Settings().m_backupsFolder : CColumnWidths().m_backupsFolder;
}

CMainFrame* MainFrame()
{
    return qobject_cast<CMainFrame*>(GetMainWindow());
}

// The name becomes a folder in parent: refuse what the dialogs refuse.
bool IsFreeFolderName(const QString& name, const QString& parent)
{
    const QString problem = CheckFolderName(name, parent, QStringLiteral("Please enter a name for the installation."));
    if (problem.isEmpty())
        return true;
    ShowMessageBox(problem, MbButtons::Ok, MbIcon::Exclamation);
    return false;
}

// Copies an installation folder to parent/name and gives the copy of its
// installation file (fileTitle.wfi) the name, inside and as its title.
// Returns the copy's installation file, empty after a failure (the copy stays).
QString CopyNamedInstallation(const QString& fromFolder, const QString& parent, const QString& name,
                              const QString& fileTitle)
{
    QString target = parent;
    if (!target.endsWith(QLatin1Char('/')))
        target += QLatin1Char('/');
    target += name;
    if (!CInstallation::CopyTo(fromFolder, target))
        return QString();
    CInstallation copy(target + QLatin1Char('/') + fileTitle + kInstallationExtension);
    if (!copy.SetName(name)) {
        ShowMessageBox(QStringLiteral("Error setting the name for the intstallation"));
        return QString();
    }
    // A copy already bearing the new file name has nothing to rename.
    if (fileTitle != name && !copy.Rename(name)) {
        ShowMessageBox(QStringLiteral("Error renaming the file name for this intstallation"));
        return QString();
    }
    return copy.GetPath();
}

} // namespace

void CWFDoc::SetDataToProgram(int flag)
{
    m_bDataToProgram = flag;
    CMainFrame* frame = MainFrame();
    if (!frame)
        return;
    if (flag != 0)
        frame->ShowDataToProgramIcon();
    else
        frame->RemoveDataToProgramIcon();
}

QString CWFDoc::GetDownloadFolder(int net, int node) const
{
    return BuildPath(kVestrels, QStringLiteral("VLDownload%1%2/").arg(net).arg(node));
}

void CWFDoc::ClearLastViolation(int target, int single)
{
    if (!RequireConnection(true))
        return;
    ICommControlForm* form = GetCommControlForm();
    const int selected = form ? form->GetSelectedNetwork() : 0;
    if (!m_netQueue.QueueAntiPassbackReset(static_cast<std::uint16_t>(target), single != 0, selected)) {
        ShowMessageBox(QString::fromLatin1(kAntiPassbackDisabledText));
        return;
    }
    if (form)
        form->ServiceQueue();
}

void CWFDoc::OnPriorityAccess()
{
    if (!RequireConnection(true))
        return;
    ICommControlForm* form = GetCommControlForm();
    if (!form)
        return;
    if (m_netQueue.m_state == CNetCommandQueue::kStageIdle) {
        m_netQueue.QueuePriorityAccess(form->GetSelectedNetwork());
        form->ServiceQueue();
        return;
    }
    if (ShowMessageBox(QString::fromLatin1(kPriorityAccessUpdatingText) + QString::fromLatin1(kPriorityAccessQuestionText),
                       MbButtons::YesNo, MbIcon::Question) == IDYES)
        form->RequestPriorityAccess();
}

QString CWFDoc::StripLabelColon(const QString& label)
{
    return label.endsWith(QLatin1Char(':')) ? label.chopped(1) : label;
}

bool CWFDoc::ApplyUserTypeLabels(const std::array<QString, kUserTypeLabels>& labels)
{
    if (labels == m_userTypeLabels)
        return false;
    for (std::size_t i = 0; i < labels.size(); ++i)
        m_userTypeLabels[i] = StripLabelColon(labels[i]);
    UpdateAllViews();
    return true;
}

void CWFDoc::OnSetup()
{
    CWFApp* app = GetApp();
    if (!app)
        return;
    CWFSetupSheet sheet(*this, app->Settings(), app->GetOperators().GetSlot(),
                        qobject_cast<QWidget*>(GetMainWindow()));
    if (sheet.exec() == QDialog::Accepted)
        sheet.Apply();
}

void CWFDoc::OnFileBackup()
{
    if (!GoOfflineForCommand(true, true))
        return;
    const bool scheduled = CurrentTaskMode() == TaskMode::Backup;
    if (!CanBackup()) {
        // The scheduled task never waits for an operator; its log says it failed.
        if (!scheduled)
            ShowMessageBox(QStringLiteral("%1\n\n%2")
                               .arg(QStringLiteral("The Backup feature requires that installation icons exist in "
                                                   "the Installations window."),
                                    QStringLiteral("Go to File -> Open, then browse to the installation you want to "
                                                   "backup.")),
                           MbButtons::Ok, MbIcon::Exclamation);
        return;
    }
    if (scheduled) {
        TaskBackupResult = CInstallationBackup::RunScheduled(BackupsFolder(), DataSwitch(*this)) ? 1 : 0;
        return;
    }
    CBackupDlg dialog(BackupsFolder(), qobject_cast<QWidget*>(GetMainWindow()));
    dialog.SetInstallationDataSwitch(DataSwitch(*this));
    if (dialog.exec() == QDialog::Accepted)
        ShowMessageBox(QStringLiteral("Backup completed successfully"));
}

void CWFDoc::OnFileRestore()
{
    if (!GoOfflineForCommand(true, true))
        return;
    CInstallationsDlg dialog(1, qobject_cast<QWidget*>(GetMainWindow()));
    dialog.SetInstallationDataSwitch(DataSwitch(*this));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (CWFApp* app = GetApp())
        app->LoadSettings();
    ShowMessageBox(QStringLiteral("Backup was restored successfully"), MbButtons::Ok, MbIcon::Information);
}

void CWFDoc::OnFileSaveAs()
{
    const CWFApp* app = GetApp();
    const QString folder = app ? app->Settings().m_installationsFolder : CColumnWidths().m_installationsFolder;
    CSaveAsInstallationDlg dialog(m_strInstallationName, folder, qobject_cast<QWidget*>(GetMainWindow()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    SaveAsCopy(dialog.GetName(), dialog.GetFolder());
}

bool CWFDoc::SaveAsCopy(const QString& name, const QString& folder)
{
    if (!IsFreeFolderName(name, folder))
        return false;
    WaitCursor wait;
    const QString oldPath = m_strPathName;
    OnSaveDocument(oldPath);
    const QString copy = CopyNamedInstallation(m_strInstallationFolder, folder, name,
                                               CInstallation::GetInstallationNameFromPath(oldPath));
    return !copy.isEmpty() && OnOpenDocument(copy);
}

bool CWFDoc::OnNewDocument()
{
    if (GetMainWindow() && !GoOfflineForCommand(true, true))
        return false;
    CNewInstallationDlg dialog(BuildPath(kProgramInstallations, QString()), qobject_cast<QWidget*>(GetMainWindow()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString file = MakeNewInstallation(dialog.GetName());
    if (file.isEmpty())
        return false;
    CWFApp* app = GetApp();
    return app ? app->OpenDocumentFile(file) : OnOpenDocument(file);
}

QString CWFDoc::MakeNewInstallation(const QString& name)
{
    const QString parent = BuildPath(kProgramInstallations, QString());
    if (!IsFreeFolderName(name, parent))
        return QString();
    // The new installation starts with every network unknown and every node answering.
    NetQueueState.fill(kNodeStateUnknown);
    for (auto& row : NodeLinkState)
        row.fill(kNodeStateAnswers);
    for (auto& row : NodeTimedOut)
        row.fill(0);
    // A program folder without installations yet has no folder to copy into.
    EnsureFolder(parent);
    return CopyNamedInstallation(BuildPath(kNewInstallation, QString()), parent, name, kTemplateFileTitle);
}
