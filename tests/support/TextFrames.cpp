#include "support/TextFrames.h"

#include <sstream>

std::vector<Frame> framesOf(const std::string& output) {
    std::vector<Frame> frames;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        Frame frame;
        char colon = 0;
        std::string word;
        std::istringstream heading(line);
        heading >> word >> frame.turn >> colon >> frame.obstacles >> word >> frame.prey >> word >>
            frame.predators;
        if (!heading || word != "prey,")
            continue;
        while (std::getline(in, line) && !line.empty())
            frame.board += line + '\n';
        frames.push_back(frame);
    }
    return frames;
}
