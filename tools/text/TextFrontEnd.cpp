#include "tools/text/TextFrontEnd.h"

#include <cstdint>
#include <ostream>

#include "Version.h"
#include "core/Census.h"
#include "core/World.h"
#include "tools/common/OptionValues.h"
#include "tools/common/PlayWorld.h"
#include "tools/common/UsageError.h"

namespace {

const char* const usage =
    "usage: lurkfield-text [--config FILE] [--set KEY=VALUE]... [--seed S] [--turns N] [--trace]\n"
    "  --config FILE    the configuration file (default: lurkfield.config)\n"
    "  --set KEY=VALUE  as if the file ended with the line \"KEY VALUE\" (repeatable)\n"
    "  --seed S         srand(S) before set-up, S from 0 to 4294967295\n"
    "                   (default: no seeding, the window's world; seed 1 gives the same)\n"
    "  --turns N        how many turns to run (default: 0)\n"
    "  --trace          print the board after set-up and after every turn,\n"
    "                   not only after the last one\n"
    "  --help           show this message\n"
    "  --version        show the program's version\n";

// The board character of each kind.
class SymbolVisitor : public GameObjectVisitor {
public:
    void visit(Predator&) override { symbol = 'H'; }
    void visit(Prey&) override { symbol = 'o'; }
    void visit(Obstacle&) override { symbol = '#'; }

    char symbol = '.';
};

// Plays the world, printing its frames; the World is gone when it returns or throws.
int play(const TextOptions& options, std::ostream& out, std::ostream& err) {
    const PlayEnd played = playWorld({options.configFile, nullptr, options.settings}, options.seed,
                                     options.turns, [&](const World& world, std::uint64_t turn) {
                                         if (options.trace || turn == options.turns)
                                             writeFrame(out, world, turn);
                                     });
    out.flush();
    if (played.outcome == RunOutcome::Played)
        return 0;
    err << played.message << '\n';
    return 1;
}

} // namespace

TextOptions readTextOptions(const std::vector<std::string>& args) {
    TextOptions options;
    OptionCursor cursor(args);
    while (!cursor.done()) {
        const std::string& arg = cursor.take();
        if (arg == "--help") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--config") {
            options.configFile = cursor.valueOf(arg, "a file name");
        } else if (arg == "--set") {
            options.settings.push_back(parseSettingLine(arg, cursor.valueOf(arg, "KEY=VALUE")));
        } else if (arg == "--seed") {
            options.seed = static_cast<unsigned>(
                wholeNumber(arg, cursor.valueOf(arg, "a whole number"), 0, UINT32_MAX));
        } else if (arg == "--turns") {
            options.turns = wholeNumber(arg, cursor.valueOf(arg, "a whole number"));
        } else {
            throwUnknownArgument(arg);
        }
    }
    return options;
}

void writeFrame(std::ostream& out, const World& world, std::uint64_t turn) {
    const Grid& grid = world.grid;
    SymbolVisitor visitor;
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
    const Census census = takeCensus(grid);
    out << "turn " << turn << ": " << census.obstacles << " obstacles, " << census.prey << " prey, "
        << census.predators << " predators\n"
        << rows << '\n';
}

int runTextFrontEnd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<TextOptions> options;
    try {
        options = readTextOptions(args);
    } catch (const UsageError& error) {
        err << error.what() << '\n' << usage;
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
    return play(*options, out, err);
}
