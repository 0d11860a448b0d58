#include "Inputs.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

Frame readLastFrame(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    const std::vector<Frame> frames = framesOf(text.str());
    if (frames.empty())
        throw std::runtime_error(path + ": no frame header \"turn T: ...\"");
    const Frame& frame = frames.back();
    for (const std::string& row : frame.rows)
        if (static_cast<int>(row.size()) != frame.width() || row.find_first_not_of(".#oH") != std::string::npos)
            throw std::runtime_error(path + ": malformed board row \"" + row + "\"");
    if (frame.width() == 0)
        throw std::runtime_error(path + ": the last frame has no board");
    return frame;
}

int readSetting(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string value = "0";
    for (std::string line; std::getline(in, line);) {
        std::istringstream tokens(line);
        std::string first, second;
        if (tokens >> first >> second && first == key)
            value = second;
    }
    if (value.empty() || value.size() > 9 || value.find_first_not_of("0123456789-") != std::string::npos)
        return 0;
    try {
        return std::stoi(value);
    } catch (const std::exception&) {
        return 0;
    }
}

std::string kindPrefix(char symbol) {
    switch (symbol) {
    case 'H':
        return "predator.";
    case 'o':
        return "prey.";
    case '#':
        return "obstacle.";
    default:
        return "";
    }
}
