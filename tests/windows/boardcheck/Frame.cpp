#include "Frame.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string withoutCarriageReturn(std::string line) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool isFrameHeader(const std::string& line) {
    return line.rfind("turn ", 0) == 0 && line.find(" predators") != std::string::npos;
}

} // namespace

Frame readLastFrame(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error(path + ": cannot be read");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(withoutCarriageReturn(line));
    std::size_t header = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (isFrameHeader(lines[i]))
            header = i;
    if (header == lines.size())
        throw std::runtime_error(path + ": no frame header \"turn T: ...\"");
    Frame frame;
    for (std::size_t i = header + 1; i < lines.size() && !lines[i].empty(); ++i)
        frame.rows.push_back(lines[i]);
    frame.height = static_cast<int>(frame.rows.size());
    frame.width = frame.rows.empty() ? 0 : static_cast<int>(frame.rows.front().size());
    for (const std::string& row : frame.rows)
        if (static_cast<int>(row.size()) != frame.width || row.find_first_not_of(".#oH") != std::string::npos)
            throw std::runtime_error(path + ": malformed board row \"" + row + "\"");
    if (frame.width == 0)
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
