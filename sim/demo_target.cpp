#include "sim/demo_target.h"

#include "sim/demo_program.h"

namespace lumetra::sim {

namespace {

void writeWords(PodSimulator& simulator, std::uint32_t address, const std::vector<std::uint16_t>& words)
{
    for (std::size_t i = 0; i < words.size(); ++i)
        simulator.setWord(address + static_cast<std::uint32_t>(i), words[i]);
}

} // namespace

void configureDemoTarget(PodSimulator& simulator)
{
    simulator.clearAnimations();
    for (const DemoSection& section : demoSections())
        writeWords(simulator, section.start, section.words);
    for (const DemoSymbol& symbol : demoSymbols()) {
        writeWords(simulator, symbol.address, symbol.initialWords);
        if (symbol.animation) {
            Animation animation = *symbol.animation;
            animation.address = symbol.address;
            simulator.addAnimation(animation);
        }
    }
    simulator.animateAt(0.0);
}

void followDeviceRow(PodSimulator& simulator, int deviceRow)
{
    simulator.configure([deviceRow](SimConfig& config) {
        if (!config.chip)
            config.chip = ChipConfig {};
        config.chip->deviceCode = deviceRow;
    });
}

} // namespace lumetra::sim
