#include "platform/Profile.h"
#include "tests/support/TestEnvironment.h"

#include <QFileInfo>

#include <gtest/gtest.h>

TEST(Profile, ReadsDefaultsAndRoundTripsInTheTestLocation)
{
    TestEnvironment env;
    EXPECT_EQ(Profile::Location(), env.ProfilePath());
    EXPECT_EQ(Profile::GetInt("Setup", "Selected Vestrels", 1), 1);
    EXPECT_EQ(Profile::GetString("Setup", "Printer Font", "Courier New"), QStringLiteral("Courier New"));
    Profile::WriteInt("Setup", "Selected Vestrels", -3);
    Profile::WriteString("Recent File List", "File1", "/data/Acme Manufacturing(DEMO).wfi");
    EXPECT_EQ(Profile::GetInt("Setup", "Selected Vestrels", 1), -3);
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), QStringLiteral("/data/Acme Manufacturing(DEMO).wfi"));
    EXPECT_EQ(Profile::Keys("Recent File List"), QStringList{"File1"});
    EXPECT_TRUE(QFileInfo::exists(env.ProfilePath()));
}

TEST(Profile, TextThatIsNotANumberReadsAsTheDefault)
{
    TestEnvironment env;
    Profile::WriteString("Setup", "Selected events", "garbage");
    EXPECT_EQ(Profile::GetInt("Setup", "Selected events", 7), 7);
}

// A change that leaves a fresh profile without values writes no file: that
// is success, not a failed write.
TEST(Profile, AChangeLeavingAFreshProfileEmptySucceeds)
{
    TestEnvironment env;
    EXPECT_TRUE(Profile::RemoveKey("Node States", "A2"));
    EXPECT_TRUE(Profile::WriteValues({}));
    EXPECT_FALSE(QFileInfo::exists(env.ProfilePath()));
}
