// wardix_screenshots FOLDER
// Renders the main screens of the demo installation into FOLDER as PNG files.
// The caller gives it a temporary program folder, profile and control
// registry (scripts/screenshots.sh), so nothing of the user's is touched.

#include "app/CMainFrame.h"
#include "cardholders/CRPUser.h"
#include "cardholders/CredentialAssignment.h"
#include "cardholders/CredentialBlocks.h"
#include "cardholders/DirectoryCodes.h"
#include "cardholders/EntryCodeAssignment.h"
#include "common/CommandIds.h"
#include "config/CNetworkSettingDlg.h"
#include "config/CScheduleBar.h"
#include "config/CTabTimeZones.h"
#include "platform/LongProperties.h"
#include "zonectl/QZIdentifiers.h"
#include "platform/MessageBox.h"
#include "tests/screens/ScreenTour.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kTimeZonesPage = 2;

// What an operator would have typed for a demo cardholder.
void FillAddress(CRPUser* form)
{
    const std::pair<const char*, const char*> fields[] = {
        {"Street:", "1200 Harbour View Boulevard, Apartment 14B"},
        {"City:", "Port Ellery"},
        {"State:", "Maine"},
        {"Zip Code:", "04021"},
        {"Home Phone:", "(207) 555-0143"},
        {"Work Phone:", "(207) 555-0199 x214"},
        {"Middle:", "Lucia"},
    };
    for (const auto& [caption, text] : fields) {
        for (const QLabel* label : form->findChildren<QLabel*>()) {
            if (auto* edit = qobject_cast<QLineEdit*>(label->buddy()); edit && label->text() == QLatin1String(caption))
                edit->setText(QString::fromLatin1(text));
        }
    }
}

// Besides her card, a transmitter, a directory code and an entry code.
bool GiveCredentials(std::int32_t userId)
{
    using Result = CredentialAssignment::AssignResult;
    return CredentialBlocks::CreateBlock(CredentialKind::Transmitter, {"Gate", 500, 509, {}})
           && CredentialAssignment::Assign(CredentialKind::Transmitter, userId, 0, "500") == Result::Assigned
           && DirectoryCodes::Assign(userId, "0001", DirectoryCodes::DefaultSubsets())
           && EntryCodeAssignment::Assign(userId, "0042", false) == EntryCodeAssignment::AssignResult::Assigned;
}

// Periods an operator would have drawn on the first bars, in minutes.
void DrawPeriods(CMainFrame* frame)
{
    auto* editor = dynamic_cast<CNetworkSettingDlg*>(frame->RightView());
    auto* page = editor ? dynamic_cast<CTabTimeZones*>(editor->Tabs()->widget(kTimeZonesPage)) : nullptr;
    if (!page)
        return;
    const struct
    {
        int zone;
        int period;
        int begin;
        int end;
    } periods[] = {
        {1, 0, 7 * 60, 18 * 60},  {2, 0, 6 * 60, 9 * 60},       {2, 1, 16 * 60, 20 * 60},
        {3, 0, 22 * 60, 24 * 60 - 1}, {4, 0, 8 * 60, 12 * 60}, {4, 1, 13 * 60, 17 * 60 + 30},
    };
    for (const auto& p : periods) {
        if (ILongProperties* bar = page->Bar(p.zone)->Properties()) {
            bar->SetLong(QZ::BeginDispid(p.period), p.begin);
            bar->SetLong(QZ::EndDispid(p.period), p.end);
        }
    }
}

bool Save(QWidget* window, const QString& folder, const char* name)
{
    ScreenTour::Settle();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (window->grab().save(path))
        return true;
    std::fprintf(stderr, "Unable to write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    if (qtApp.arguments().size() != 2) {
        std::fputs("usage: wardix_screenshots FOLDER\n", stderr);
        return kFailure;
    }
    const QString folder = qtApp.arguments().at(1);
    // No box may wait for an answer: its text goes to the terminal.
    SetMessageBoxPresenter([](const MessageBoxRequest& box) {
        std::fprintf(stderr, "box: %s\n", qPrintable(box.text));
        return int(IDOK);
    });
    ScreenTour tour;
    if (!tour.Start())
        return kFailure;
    CMainFrame* frame = tour.Frame();
    tour.Command(CommandId::NavigationView);
    bool saved = Save(frame, folder, "main-window.png");

    CRPUser* form = tour.CardholderForm(QStringLiteral("Office Staff"), 1);
    if (!form)
        return kFailure;
    FillAddress(form);
    form->ApplyButton()->click();
    if (!GiveCredentials(form->UserID()))
        return kFailure;
    const std::pair<int, const char*> pages[] = {{CardholderRecord::Transmitters, "cardholder-transmitters.png"},
                                                 {CardholderRecord::DirectoryCodes, "cardholder-directory.png"},
                                                 {CardholderRecord::EntryCodes, "cardholder-entry-codes.png"},
                                                 {CardholderRecord::Cards, "cardholder.png"}};
    for (const auto& [page, name] : pages) {
        form->PageButton(page)->click();
        saved = Save(frame, folder, name) && saved;
    }

    tour.Command(CommandId::GlobalSettings);
    saved = tour.RightTab(kTimeZonesPage) && saved;
    DrawPeriods(frame);
    saved = Save(frame, folder, "settings-editor.png") && saved;
    tour.Command(CommandId::NetworkView);
    saved = Save(frame, folder, "network-status.png") && saved;
    tour.Command(CommandId::EventLogReport);
    saved = tour.ClickLeft(QStringLiteral("All Event Report")) && Save(frame, folder, "report.png") && saved;
    return saved ? kSuccess : kFailure;
}
