// lumetra-cli read and dump against lumetra-podsim with one fault on a read of the block: the words printed are
// those of an undisturbed read, or the command fails with the communication error; never a shifted word. Each
// fault kind once, over the pseudo-terminal with its real waits; every kind at every width and position runs
// in-process on the simulated clock (monitor/read_retry_test.cpp).
#include "cli_process.h"
#include "podsim_process.h"

#include <gtest/gtest.h>

using namespace lumetra::test;

namespace {

#ifdef LUMETRA_PODSIM_PATH

constexpr int kWords = 8;

struct CliRetryCase {
    const char* kind;
    char mode; // r (16-bit) or l (32-bit)
    int word; // the faulted read of the block
};

std::string caseName(const ::testing::TestParamInfo<CliRetryCase>& info)
{
    std::string name = std::string(info.param.kind) + "_" + info.param.mode + "_" + std::to_string(info.param.word);
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

std::vector<CliRetryCase> cases()
{
    return {{"no-reply", 'r', 0}, {"wrong-ack", 'l', kWords - 1}, {"short-reply", 'r', kWords / 2},
        {"stray-byte", 'l', 0}, {"delay", 'l', kWords / 2}};
}

class CliReadRetry : public ::testing::TestWithParam<CliRetryCase> {
protected:
    // The block is read once undisturbed before the faulted read: the fault skips those reads too.
    static constexpr int kReadsBefore = kWords;

    QStringList faultArguments(int readsBefore) const
    {
        QString fault = QStringLiteral("kind=%1,command=%2,skip=%3,count=1")
                            .arg(QLatin1String(GetParam().kind))
                            .arg(QLatin1Char(GetParam().mode))
                            .arg(readsBefore + GetParam().word);
        if (QLatin1String(GetParam().kind) == QLatin1String("delay"))
            fault += QStringLiteral(",delay=2500");
        return {"--fault", fault};
    }

    bool wide() const { return GetParam().mode == 'l'; }

    // 0x0100, 0x0101, ... at 0x9000, in 32-bit writes.
    void fill(const Podsim& podsim) const
    {
        for (int i = 0; i < 2 * kWords; i += 2) {
            const QString value
                = QStringLiteral("0x%1").arg(((0x0101 + i) << 16) | (0x0100 + i), 8, 16, QLatin1Char('0'));
            ASSERT_EQ(runCli({"write", QString::number(0x9000 + i), value, "--width", "32", "--port", podsim.device()})
                          .exitCode,
                0);
        }
    }

    static void expectSameOrFailed(const CliRun& undisturbed, const CliRun& faulted)
    {
        if (faulted.exitCode == 0) {
            EXPECT_EQ(faulted.out, undisturbed.out);
        } else {
            EXPECT_EQ(faulted.exitCode, 1);
            EXPECT_TRUE(faulted.err.contains("통신 오류 발생 !")) << faulted.err.toStdString();
            EXPECT_TRUE(undisturbed.out.startsWith(faulted.out)) << faulted.out.toStdString();
        }
    }

    // One fault is absorbed by the retry, except a reply so late that it arrives after the retry began.
    bool mustSucceed() const { return QLatin1String(GetParam().kind) != QLatin1String("delay"); }
};

TEST_P(CliReadRetry, ReadPrintsTheUndisturbedWordsOrFails)
{
    const Podsim podsim(faultArguments(kReadsBefore));
    ASSERT_FALSE(podsim.device().isEmpty());
    fill(podsim);
    const QStringList read {
        "read", "0x9000", QString::number(kWords), "--width", wide() ? "32" : "16", "--port", podsim.device()};
    const CliRun undisturbed = runCli(read);
    ASSERT_EQ(undisturbed.exitCode, 0) << undisturbed.err.toStdString();
    EXPECT_TRUE(undisturbed.out.contains(wide() ? "0x009006: 0x01070106" : "0x009003: 0x0103"));

    const CliRun faulted = runCli(read);
    if (mustSucceed()) {
        EXPECT_EQ(faulted.exitCode, 0) << faulted.err.toStdString();
    }
    expectSameOrFailed(undisturbed, faulted);
}

TEST_P(CliReadRetry, DumpPrintsTheUndisturbedPageOrFails)
{
    const Podsim podsim(faultArguments(kReadsBefore));
    ASSERT_FALSE(podsim.device().isEmpty());
    fill(podsim);
    const QStringList dump {"dump", "0x9000", "--device", "26", "--view", wide() ? "1" : "0", "--rows",
        QString::number(kWords), "--port", podsim.device()};
    const CliRun undisturbed = runCli(dump);
    ASSERT_EQ(undisturbed.exitCode, 0) << undisturbed.err.toStdString();

    const CliRun faulted = runCli(dump);
    if (mustSucceed()) {
        EXPECT_EQ(faulted.exitCode, 0) << faulted.err.toStdString();
    }
    expectSameOrFailed(undisturbed, faulted);
}

INSTANTIATE_TEST_SUITE_P(AllFaults, CliReadRetry, ::testing::ValuesIn(cases()), caseName);

#endif

} // namespace
