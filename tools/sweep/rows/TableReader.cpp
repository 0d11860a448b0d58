#include "tools/sweep/rows/TableReader.h"

#include "tools/sweep/rows/Csv.h"

bool TableReader::next(std::string& record) {
    record.clear();
    for (std::string line; std::getline(in, line);) {
        record += line;
        if (in.eof()) {
            unfinished = true;
            return false;
        }
        record.push_back('\n');
        if (!csv::insideQuotes(record)) {
            whole += record.size();
            return true;
        }
    }
    unfinished = unfinished || !record.empty();
    return false;
}
