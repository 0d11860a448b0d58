#include "tools/sweep/RunSink.h"

void SinkList::turn(std::uint64_t run, const RecordedTurn& turn) {
    for (RunSink* sink : sinks)
        sink->turn(run, turn);
}

void SinkList::end(std::uint64_t run, const RunEnd& end) {
    for (RunSink* sink : sinks)
        sink->end(run, end);
}
