#pragma once
// Ctrl+C (SIGINT) and SIGTERM while a sweep runs. The handler only notes the
// signal; the sweep's loop sees the note, stops every worker, ends its files
// with the whole rows it has, and then lets the signal end the program as it
// would have ended it at once (so a shell or a batch system sees the signal).
// SIGPIPE is ignored: a closed output becomes a write error that the sweep
// reports.
namespace interruption {

void install();
bool requested();
// The signal that was noted, or 0.
int signalNumber();
// Ends the program by the noted signal, with its default action.
[[noreturn]] void endAsSignalled();

} // namespace interruption
