#include "platform/MessageBox.h"
#include "tests/support/MessageBoxScript.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

TEST(MessageBox, ScriptRecordsTextsInOrderAndGivesScriptedAnswers)
{
    MessageBoxScript script{IDNO, IDRETRY};
    EXPECT_EQ(ShowMessageBox(QStringLiteral("Proceed?"), MbButtons::YesNo, MbIcon::Question), IDNO);
    EXPECT_EQ(ShowMessageBox(QStringLiteral("Again?"), MbButtons::RetryCancel, MbIcon::Stop), IDRETRY);
    EXPECT_EQ(ShowMessageBox(QStringLiteral("Done.")), IDOK);
    EXPECT_EQ(script.Texts(), (QStringList{"Proceed?", "Again?", "Done."}));
    EXPECT_EQ(script.Shown()[1].icon, MbIcon::Stop);
    EXPECT_EQ(script.Shown()[0].buttons, MbButtons::YesNo);
}

TEST(MessageBox, TitleIsStartupTitleUntilTheMainWindowOwnsBoxes)
{
    MessageBoxScript script;
    ShowMessageBox(QStringLiteral("before"));
    {
        QWidget mainWindow;
        SetMessageBoxOwner(&mainWindow);
        ShowMessageBox(QStringLiteral("after"));
        ShowMessageBox(QStringLiteral("titled"), MbButtons::Ok, MbIcon::Information, QStringLiteral("Error"));
        SetMessageBoxOwner(nullptr);
    }
    EXPECT_EQ(script.Shown()[0].title, QStringLiteral("Wardenfold Error"));
    EXPECT_EQ(script.Shown()[1].title, QStringLiteral("Wardix"));
    EXPECT_EQ(script.Shown()[2].title, QStringLiteral("Error"));
}

TEST(MessageBox, NestedScriptsRestoreTheOuterOne)
{
    MessageBoxScript outer;
    {
        MessageBoxScript inner;
        ShowMessageBox(QStringLiteral("inner"));
        EXPECT_EQ(inner.Texts(), QStringList{"inner"});
    }
    ShowMessageBox(QStringLiteral("outer"));
    EXPECT_EQ(outer.Texts(), QStringList{"outer"});
}

// Enter takes the default answer: the second one where the first cannot be
// undone.
TEST(MessageBox, EnterGivesTheDefaultAnswer)
{
    const struct
    {
        MbButtons buttons;
        MbDefault defaultButton;
        int answer;
    } cases[] = {
        {MbButtons::YesNo, MbDefault::First, IDYES},
        {MbButtons::YesNo, MbDefault::Second, IDNO},
        {MbButtons::YesNoCancel, MbDefault::Second, IDNO},
        {MbButtons::OkCancel, MbDefault::Second, IDCANCEL},
    };
    // The real box, which the test run otherwise refuses to show.
    const MessageBoxPresenter previous = SetMessageBoxPresenter({});
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.buttons));
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(box, &enter);
            }
        });
        EXPECT_EQ(ShowMessageBox(QStringLiteral("Replace it?"), c.buttons, MbIcon::Question, QString(), c.defaultButton),
                  c.answer);
    }
    SetMessageBoxPresenter(previous);
}
