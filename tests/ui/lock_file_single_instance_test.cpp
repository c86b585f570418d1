#ifndef _WIN32
// Windows has the named mutex instead (named_mutex_second_start_test.cpp).
#include "app/single_instance.h"
#include "app/ui/lock_file_single_instance.h"
#include "second_start.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

namespace lumetra::app::ui {
namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name)
        , had_(qEnvironmentVariableIsSet(name))
        , old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(LockFileSingleInstanceTest, OneHolderPerFolderAndTheHolderMayAskAgain)
{
    QTemporaryDir folder;
    LockFileSingleInstance first(folder.path());
    LockFileSingleInstance second(folder.path());
    EXPECT_TRUE(first.acquire(kSingleInstanceName));
    EXPECT_TRUE(first.acquire(kSingleInstanceName));
    EXPECT_FALSE(second.acquire(kSingleInstanceName));
    EXPECT_EQ(first.lockPath(kSingleInstanceName), QDir(folder.path()).filePath(QStringLiteral("VestralLumetra.lock")));
}

TEST(LockFileSingleInstanceTest, ALockLeftByAProcessThatIsGoneIsTakenOver)
{
    // A process id that was in use and is free now.
    QProcess gone;
    gone.start(QStringLiteral("/bin/true"), {});
    ASSERT_TRUE(gone.waitForStarted(5000));
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(5000));
    QTemporaryDir folder;
    LockFileSingleInstance crashed(folder.path());
    {
        // What a crashed instance leaves: its process id, program name and host.
        QFile file(crashed.lockPath(kSingleInstanceName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(deadPid) + "\nlumetra\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    EXPECT_TRUE(crashed.acquire(kSingleInstanceName));
}

TEST(LockFileSingleInstanceTest, TheLockLivesInTheUsersRuntimeFolder)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const ScopedEnvironment environment("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    LockFileSingleInstance lock;
    EXPECT_EQ(lock.lockPath(kSingleInstanceName), QDir(runtime.path()).filePath(QStringLiteral("VestralLumetra.lock")));
    ASSERT_TRUE(lock.acquire(kSingleInstanceName));
    EXPECT_TRUE(QFile::exists(lock.lockPath(kSingleInstanceName)));
}

TEST(LockFileSingleInstanceTest, ASecondStartEndsWithOneLineOnStandardError)
{
    QTemporaryDir home;
    QTemporaryDir runtime;
    ASSERT_TRUE(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    // The running instance of this user.
    LockFileSingleInstance running(runtime.path());
    ASSERT_TRUE(running.acquire(kSingleInstanceName));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess second;
    ASSERT_TRUE(test::secondStartEnds(second, environment, {}, 20000)) << "the second start kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    const std::string expected = anotherInstanceLine(running.lockPath(kSingleInstanceName).toStdString());
    EXPECT_EQ(second.readAllStandardError().toStdString(), expected);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("config/Korimat/Vestral Lumetra V2.2.conf"))));
}

} // namespace
} // namespace lumetra::app::ui

#endif
