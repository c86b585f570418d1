#ifdef _WIN32

#include "app/named_mutex_single_instance.h"
#include "app/single_instance.h"
#include "second_start.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace lumetra::app {
namespace {

TEST(NamedMutexSecondStart, ASecondStartOfTheDesktopProgramEndsAtOnce)
{
    // The running instance of this user.
    NamedMutexSingleInstance running;
    ASSERT_TRUE(running.acquire(kSingleInstanceName));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess second;
    ASSERT_TRUE(test::secondStartEnds(second, environment, {QStringLiteral("--simulate")}, 60000))
        << "the second start kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().isEmpty()) << "it ends without a message";
}

} // namespace
} // namespace lumetra::app

#endif
