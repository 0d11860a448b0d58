#include "ConfigGenerator.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {

// Values that sit on or past an edge of what the reader and the game accept.
const std::vector<std::string> edgeValues = {
    "0",         "-1",          "1",     "2147483647", "-2147483648", "2147483648",
    "-2147483649", "99999999999999999999", "abc", "12abc", "+3", "-0", "#5", "0x10", "", "3.7"};

class Writer {
public:
    explicit Writer(std::uint32_t seed) : random(seed) {}

    std::string configuration() {
        addSizes();
        addCounts();
        addKinds();
        addNoise();
        std::shuffle(lines.begin() + 2, lines.end(), random);
        return join();
    }

private:
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    std::string edge() { return edgeValues[static_cast<std::size_t>(between(0, 15))]; }
    std::string number(int low, int high, int edgePercent) {
        return chance(edgePercent) ? edge() : std::to_string(between(low, high));
    }
    void add(const std::string& key, const std::string& value) {
        lines.push_back(key + separator() + value + trailer());
    }
    std::string separator() {
        static const char* const forms[] = {" ", "\t", "   ", " \t ", "\v", "\f"};
        return forms[chance(70) ? 0 : between(1, 5)];
    }
    std::string trailer() {
        static const char* const forms[] = {"", " # note", " 17 extra", "\t", " "};
        return forms[chance(80) ? 0 : between(1, 4)];
    }

    void addSizes() {
        // The two sizes come first so that a byte-order mark can spoil one of them.
        const bool thin = chance(15);
        cells = 1;
        for (const char* key : {"grid.x", "grid.y"}) {
            const int size = thin && key[5] == 'y' ? between(100, 2000) : between(1, thin ? 3 : 40);
            cells *= size;
            add(key, chance(5) ? edge() : std::to_string(size));
        }
    }

    void addCounts() {
        add("obstacle.density", number(0, chance(20) ? 120 : 30, 10));
        add("prey.number", number(0, cells + cells / 4, 10));
        add("predator.number", number(0, cells / 4 + 1, 10));
        add("prey.reaction_time", number(1, 4, 15));
        add("predator.reaction_time", number(1, 4, 15));
        add("predator.hearing", number(-3, 12, 20));
        add("predator.sight", number(-3, 15, 20));
    }

    void addKinds() {
        for (const char* kind : {"predator.", "prey.", "obstacle."}) {
            for (const char* property : {"eatable", "blocks_los"})
                add(std::string(kind) + property, number(0, 1, 10));
            for (const char* property : {"hearing", "sight"}) {
                if (chance(50))
                    add(std::string(kind) + property, number(-3, 12, 30));
            }
        }
    }

    void addNoise() {
        for (int i = between(0, 6); i > 0; --i)
            lines.push_back(noiseLine());
    }

    std::string noiseLine() {
        switch (between(0, 5)) {
        case 0: return "# a comment " + edge();
        case 1: return "";
        case 2: return "Grid.X " + edge();
        case 3: return "grid.x=5";
        case 4: {
            std::string junk(static_cast<std::size_t>(between(1, 60)), '\0');
            for (char& c : junk)
                c = static_cast<char>(between(0, 255));
            return junk;
        }
        default:
            // A line past the reader's limit ends the file; kept rare so that most
            // files still reach the keys after it.
            if (chance(25))
                return std::string(static_cast<std::size_t>(between(990, 1100)), 'z');
            return "prey.number " + edge();
        }
    }

    std::string join() {
        std::string text = chance(5) ? "\xEF\xBB\xBF" : "";
        const bool crlf = chance(20);
        for (const std::string& line : lines)
            text += line + (crlf ? "\r\n" : "\n");
        if (chance(20) && !text.empty())
            text.pop_back();
        return text;
    }

    std::mt19937 random;
    std::vector<std::string> lines;
    int cells = 1;
};

} // namespace

std::string randomConfiguration(std::uint32_t seed) { return Writer(seed).configuration(); }
