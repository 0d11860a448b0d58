#include "tools/TextFrontEnd.h"

#include <memory>
#include <new>
#include <ostream>

#include "Version.h"
#include "core/StartupRefusal.h"
#include "core/World.h"
#include "system/AvailableMemory.h"

namespace {

const char* const usage =
    "usage: lurkfield-text [--config FILE] [--turns N] [--trace]\n"
    "  --config FILE  the configuration file (default: lurkfield.config)\n"
    "  --turns N      how many turns to run (default: 0)\n"
    "  --trace        print the board after set-up and after every turn,\n"
    "                 not only after the last one\n"
    "  --help         show this message\n"
    "  --version      show the program's version\n";

// A whole number of turns: decimal digits only, within 64 bits.
std::optional<std::uint64_t> parseTurns(const std::string& text) {
    if (text.empty() || text.size() > 19)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

// The board character of each kind, and a count of each.
class FrameVisitor : public GameObjectVisitor {
public:
    void visit(Predator&) override { symbol = 'H', ++predators; }
    void visit(Prey&) override { symbol = 'o', ++prey; }
    void visit(Obstacle&) override { symbol = '#', ++obstacles; }

    char symbol = '.';
    std::uint64_t obstacles = 0, prey = 0, predators = 0;
};

// Builds the world and runs its turns; the World is gone when it returns or throws.
int play(const TextOptions& options, std::ostream& out, std::ostream& err) {
    const auto world = std::make_unique<World>(options.configFile, availableMemoryBytes());
    theWorld = world.get();
    if (const std::optional<std::string> refusal = startupRefusal(*world, options.configFile)) {
        err << *refusal << '\n';
        return 1;
    }
    if (options.trace)
        writeFrame(out, *world, 0);
    for (std::uint64_t turn = 1; turn <= options.turns; ++turn) {
        world->step();
        if (options.trace)
            writeFrame(out, *world, turn);
    }
    if (!options.trace)
        writeFrame(out, *world, options.turns);
    out.flush();
    return 0;
}

} // namespace

std::optional<TextOptions> parseTextOptions(const std::vector<std::string>& args) {
    TextOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--config" && hasValue) {
            options.configFile = args[++i];
        } else if (arg == "--turns" && hasValue) {
            const std::optional<std::uint64_t> turns = parseTurns(args[++i]);
            if (!turns)
                return std::nullopt;
            options.turns = *turns;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

void writeFrame(std::ostream& out, const World& world, std::uint64_t turn) {
    const Grid& grid = world.grid;
    FrameVisitor visitor;
    std::string rows;
    rows.reserve(static_cast<std::size_t>(grid.width + 1) * static_cast<std::size_t>(grid.height));
    for (std::int32_t y = 0; y < grid.height; ++y) {
        for (std::int32_t x = 0; x < grid.width; ++x) {
            visitor.symbol = '.';
            if (const GameObjectPtr& object = grid.at(x, y))
                object->accept(visitor);
            rows.push_back(visitor.symbol);
        }
        rows.push_back('\n');
    }
    out << "turn " << turn << ": " << visitor.obstacles << " obstacles, " << visitor.prey
        << " prey, " << visitor.predators << " predators\n"
        << rows << '\n';
}

int runTextFrontEnd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<TextOptions> options = parseTextOptions(args);
    if (!options) {
        err << usage;
        return 2;
    }
    if (options->help) {
        out << usage;
        return 0;
    }
    if (options->version) {
        out << "lurkfield-text " LURKFIELD_VERSION "\n";
        return 0;
    }
    try {
        return play(*options, out, err);
    } catch (const std::bad_alloc&) {
        // The World is gone by now, and with it the memory it held.
        out.flush();
        err << outOfMemoryMessage(options->configFile) << '\n';
        return 1;
    }
}
