#include "sim/pod_simulator.h"

#include "sim/target_model.h"

#include "core/link_option_lists.h"
#include "link/pod_frames.h"

#include <algorithm>
#include <deque>
#include <string>

namespace lumetra::sim {

namespace {

constexpr std::size_t kMaxFrameBody = 600;
constexpr int kDefaultHostBaud = 115200;
constexpr char kStrayByte = 'E';

struct ReplyByte {
    std::uint8_t value;
    Clock::time_point due;
};

// A pause in a reply before the byte at `position` (0: before the whole reply).
struct Stall {
    std::size_t position;
    Clock::duration length;
};

struct ArmedFault {
    Fault fault;
    int skipLeft;
    int countLeft;
};

} // namespace

struct PodSimulator::Impl {
    Impl(SimConfig initial, Clock::time_point start) : config(std::move(initial)), target(config), started(start) {}

    SimConfig config;
    TargetModel target;
    Clock::time_point started;
    int hostBaud = kDefaultHostBaud;
    Clock::time_point inboundFreeAt{};
    Clock::time_point lastReplyDue{};
    Clock::time_point targetFreeAt{};
    bool inFrame = false;
    std::string body;
    std::deque<ReplyByte> replies;
    std::vector<ArmedFault> faults;
    std::optional<std::size_t> hangUpCountdown;
    bool hungUp = false;
    std::deque<std::string> trace;
    std::optional<Clock::time_point> lastFrameArrival;
    std::optional<HoldPoint> hold;
    bool holdReached = false;
    bool holding = false;

    Clock::duration byteTime() const
    {
        if (!config.wireTime || hostBaud <= 0) {
            return Clock::duration::zero();
        }
        return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000LL / hostBaud));
    }

    // Frames whose words the POD relays to the target over its SCI line (two bytes a word) before it answers.
    static bool relayedToTarget(char command)
    {
        return std::string_view("UVXSYZJO").find(command) != std::string_view::npos;
    }

    // When the target has taken a relayed word that reached the POD at `arrived`.
    Clock::time_point relayToTarget(char command, Clock::time_point arrived)
    {
        if (!config.wireTime || !relayedToTarget(command)) {
            return arrived;
        }
        const int rate = std::stoi(std::string(core::baudRateText(std::max(target.targetBaudCode(), 0))));
        const auto wordTime = std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(20'000'000'000LL / rate));
        targetFreeAt = std::max(targetFreeAt, arrived) + wordTime;
        return targetFreeAt;
    }

    bool answersAtHostBaud() const
    {
        const auto& bauds = config.answeringHostBauds;
        return bauds.empty() || std::find(bauds.begin(), bauds.end(), hostBaud) != bauds.end();
    }

    // A data-flash page program record.
    static bool programsPage(std::string_view frameBody) { return frameBody.starts_with(":73"); }

    // The faults that apply to this frame, each used up by one.
    std::vector<Fault> takeFaults(std::string_view frameBody)
    {
        const char command = frameBody[0];
        std::vector<Fault> taken;
        for (ArmedFault& armed : faults) {
            const bool skipped = armed.fault.kind == FaultKind::HangUp
                || (armed.fault.kind == FaultKind::CorruptPage && !programsPage(frameBody))
                || (armed.fault.command != 0 && armed.fault.command != command);
            if (skipped) {
                continue;
            }
            if (armed.skipLeft > 0) {
                --armed.skipLeft;
                continue;
            }
            taken.push_back(armed.fault);
            if (armed.countLeft > 0) {
                --armed.countLeft;
            }
        }
        std::erase_if(faults, [](const ArmedFault& armed) {
            return armed.fault.kind != FaultKind::HangUp && armed.countLeft == 0;
        });
        return taken;
    }

    void queueReply(std::string_view reply, Clock::time_point arrived, const std::vector<Stall>& stalls)
    {
        const Clock::duration perByte = byteTime();
        Clock::time_point due = std::max(arrived, lastReplyDue);
        for (std::size_t i = 0; i < reply.size(); ++i) {
            for (const Stall& stall : stalls) {
                if (stall.position == i) {
                    due += stall.length;
                }
            }
            due += perByte;
            replies.push_back({static_cast<std::uint8_t>(reply[i]), due});
        }
        if (!reply.empty()) {
            lastReplyDue = due;
        }
    }

    void recordTrace(const std::string& frameBody)
    {
        trace.push_back(frameBody);
        while (trace.size() > config.traceLimit) {
            trace.pop_front();
        }
    }

    void checkHold()
    {
        if (!hold || holdReached || !body.starts_with(hold->prefix)) {
            return;
        }
        if (hold->skip > 0) {
            --hold->skip;
            return;
        }
        holdReached = true;
    }

    void handleFrame(Clock::time_point arrived)
    {
        recordTrace(body);
        lastFrameArrival = arrived;
        checkHold();
        const double seconds = std::chrono::duration<double>(arrived - started).count();
        std::string reply = target.handle(body, seconds);
        std::vector<Stall> stalls;
        for (const Fault& fault : takeFaults(body)) {
            switch (fault.kind) {
            case FaultKind::CorruptPage:
                if (reply == "!") {
                    target.corruptProgrammedPage(body);
                }
                break;
            case FaultKind::NoReply:
                reply.clear();
                break;
            case FaultKind::WrongAck:
                if (!reply.empty()) {
                    reply[0] = '?';
                }
                break;
            case FaultKind::ShortReply:
                if (!reply.empty()) {
                    reply.pop_back();
                }
                break;
            case FaultKind::Delay:
                stalls.push_back({0, fault.delay});
                break;
            case FaultKind::Stall:
                stalls.push_back({fault.afterBytes, fault.delay});
                break;
            case FaultKind::StrayByte:
                reply += kStrayByte;
                break;
            case FaultKind::HangUp:
                break;
            }
        }
        queueReply(reply, relayToTarget(body[0], arrived), stalls);
    }

    void receive(std::uint8_t byte, Clock::time_point arrived)
    {
        if (byte == link::kStx) {
            inFrame = true;
            body.clear();
        } else if (!inFrame) {
            return;
        } else if (byte == link::kEtx) {
            inFrame = false;
            if (!body.empty()) {
                handleFrame(arrived);
            }
        } else if (body.size() < kMaxFrameBody) {
            body += static_cast<char>(byte);
        } else {
            inFrame = false;
        }
    }

    std::size_t dueCount(Clock::time_point now) const
    {
        std::size_t count = 0;
        while (count < replies.size() && replies[count].due <= now) {
            ++count;
        }
        return count;
    }
};

PodSimulator::PodSimulator(SimConfig config, core::WaitClock& clock)
    : clock_(clock), impl_(std::make_unique<Impl>(std::move(config), clock.now()))
{
}

PodSimulator::~PodSimulator() = default;

Clock::time_point PodSimulator::hostWrite(const std::uint8_t* data, std::size_t size)
{
    std::unique_lock lock(mutex_);
    Impl& s = *impl_;
    const Clock::time_point now = clock_.now();
    const Clock::duration perByte = s.byteTime();
    Clock::time_point arrival = std::max(now, s.inboundFreeAt);
    const bool answering = s.answersAtHostBaud();
    for (std::size_t i = 0; i < size && !s.hungUp; ++i) {
        arrival += perByte;
        if (s.hangUpCountdown) {
            if (*s.hangUpCountdown == 0) {
                s.hungUp = true;
                s.replies.clear();
                break;
            }
            --*s.hangUpCountdown;
        }
        if (answering) {
            s.receive(data[i], arrival);
        }
    }
    s.inboundFreeAt = arrival;
    replyReady_.notify_all();
    if (s.holdReached) {
        s.holding = true;
        resumed_.wait(lock, [&s] { return !s.holding; });
    }
    return arrival;
}

std::size_t PodSimulator::hostRead(std::uint8_t* out, std::size_t max)
{
    std::lock_guard lock(mutex_);
    Impl& s = *impl_;
    const std::size_t count = std::min(max, s.dueCount(clock_.now()));
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = s.replies.front().value;
        s.replies.pop_front();
    }
    return count;
}

std::size_t PodSimulator::pendingReplyBytes() const
{
    std::lock_guard lock(mutex_);
    return impl_->dueCount(clock_.now());
}

std::size_t PodSimulator::queuedReplyBytes() const
{
    std::lock_guard lock(mutex_);
    return impl_->replies.size();
}

std::optional<Clock::time_point> PodSimulator::nextReplyDue() const
{
    std::lock_guard lock(mutex_);
    if (impl_->replies.empty()) {
        return std::nullopt;
    }
    return impl_->replies.front().due;
}

bool PodSimulator::waitForReply(Clock::time_point deadline)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        const Clock::time_point now = clock_.now();
        const auto& replies = impl_->replies;
        if (!replies.empty() && replies.front().due <= now) {
            return true;
        }
        if (now >= deadline) {
            return false;
        }
        const Clock::time_point wake = replies.empty() ? deadline : std::min(deadline, replies.front().due);
        clock_.waitUntil(replyReady_, lock, wake);
    }
}

void PodSimulator::purgeHost()
{
    std::lock_guard lock(mutex_);
    Impl& s = *impl_;
    s.replies.erase(s.replies.begin(), s.replies.begin() + static_cast<std::ptrdiff_t>(s.dueCount(clock_.now())));
}

void PodSimulator::setHostBaud(int baud)
{
    std::lock_guard lock(mutex_);
    impl_->hostBaud = baud;
}

int PodSimulator::hostBaud() const
{
    std::lock_guard lock(mutex_);
    return impl_->hostBaud;
}

bool PodSimulator::hungUp() const
{
    std::lock_guard lock(mutex_);
    return impl_->hungUp;
}

void PodSimulator::configure(const std::function<void(SimConfig&)>& change)
{
    std::lock_guard lock(mutex_);
    change(impl_->config);
    impl_->target.applyChipConfig();
    replyReady_.notify_all();
}

SimConfig PodSimulator::config() const
{
    std::lock_guard lock(mutex_);
    return impl_->config;
}

void PodSimulator::injectFault(const Fault& fault)
{
    std::lock_guard lock(mutex_);
    if (fault.kind == FaultKind::HangUp) {
        impl_->hangUpCountdown = fault.afterBytes;
        return;
    }
    impl_->faults.push_back({fault, fault.skip, fault.count});
}

void PodSimulator::holdAfter(HoldPoint point)
{
    std::lock_guard lock(mutex_);
    impl_->hold = std::move(point);
    impl_->holdReached = false;
}

bool PodSimulator::holding() const
{
    std::lock_guard lock(mutex_);
    return impl_->holding;
}

void PodSimulator::resume()
{
    std::lock_guard lock(mutex_);
    impl_->hold.reset();
    impl_->holdReached = false;
    impl_->holding = false;
    resumed_.notify_all();
}

void PodSimulator::clearFaults()
{
    std::lock_guard lock(mutex_);
    impl_->faults.clear();
    impl_->hangUpCountdown.reset();
    impl_->hungUp = false;
}

std::uint16_t PodSimulator::word(std::uint32_t address) const
{
    std::lock_guard lock(mutex_);
    return impl_->target.memory()[address % kMemoryWords];
}

void PodSimulator::setWord(std::uint32_t address, std::uint16_t value)
{
    std::lock_guard lock(mutex_);
    impl_->target.memory()[address % kMemoryWords] = value;
}

std::vector<std::uint16_t> PodSimulator::words(std::uint32_t address, std::uint32_t count) const
{
    std::lock_guard lock(mutex_);
    std::vector<std::uint16_t> result;
    result.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        result.push_back(impl_->target.memory()[(address + i) % kMemoryWords]);
    }
    return result;
}

void PodSimulator::addAnimation(const Animation& animation)
{
    std::lock_guard lock(mutex_);
    impl_->target.animations().push_back(animation);
}

void PodSimulator::clearAnimations()
{
    std::lock_guard lock(mutex_);
    impl_->target.animations().clear();
}

void PodSimulator::animateAt(double seconds)
{
    std::lock_guard lock(mutex_);
    impl_->target.animateAt(seconds);
}

int PodSimulator::targetBaudCode() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.targetBaudCode();
}

int PodSimulator::txDelayIndex() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.txDelayIndex();
}

std::uint32_t PodSimulator::podAddress() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.podAddress();
}

bool PodSimulator::bootModeLine() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.bootModeLine();
}

int PodSimulator::resetCount() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.resetCount();
}

BootState PodSimulator::bootState() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.bootState();
}

std::optional<std::uint32_t> PodSimulator::entryPoint() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.entryPoint();
}

std::size_t PodSimulator::bootWordCount() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.bootWordCount();
}

std::vector<std::vector<std::uint16_t>> PodSimulator::lf240xRoutines() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.lf240xRoutines();
}

std::vector<FlashRequest> PodSimulator::flashRequests() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.flashRequests();
}

std::string PodSimulator::chipRefusal() const
{
    std::lock_guard lock(mutex_);
    const SimulatedChip* chip = impl_->target.chip();
    return chip ? chip->refusal() : std::string();
}

bool PodSimulator::chipUnlocked() const
{
    std::lock_guard lock(mutex_);
    const SimulatedChip* chip = impl_->target.chip();
    return chip && chip->unlocked();
}

int PodSimulator::selectedBank() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.selectedBank();
}

int PodSimulator::dataFlashType() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.dataFlash().type();
}

std::vector<std::uint8_t> PodSimulator::dataFlash(std::uint32_t offset, std::uint32_t count) const
{
    std::lock_guard lock(mutex_);
    return impl_->target.dataFlash().read(offset, count);
}

std::vector<std::uint32_t> PodSimulator::erasedDataFlashSectors() const
{
    std::lock_guard lock(mutex_);
    return impl_->target.dataFlash().erasedSectors();
}

std::vector<std::string> PodSimulator::trace() const
{
    std::lock_guard lock(mutex_);
    return {impl_->trace.begin(), impl_->trace.end()};
}

std::optional<Clock::time_point> PodSimulator::lastFrameArrival() const
{
    std::lock_guard lock(mutex_);
    return impl_->lastFrameArrival;
}

void PodSimulator::clearTrace()
{
    std::lock_guard lock(mutex_);
    impl_->trace.clear();
}

} // namespace lumetra::sim
