#include "support/TextFrames.h"

#include <sstream>

namespace {

bool readLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

} // namespace

std::vector<Frame> framesOf(const std::string& output) {
    std::vector<Frame> frames;
    std::istringstream in(output);
    std::string line;
    while (readLine(in, line)) {
        Frame frame;
        char colon = 0;
        std::string word;
        std::istringstream heading(line);
        heading >> word >> frame.turn >> colon >> frame.obstacles >> word >> frame.prey >> word >>
            frame.predators;
        if (!heading || word != "prey,")
            continue;
        while (readLine(in, line) && !line.empty())
            frame.rows.push_back(line);
        frames.push_back(frame);
    }
    return frames;
}
