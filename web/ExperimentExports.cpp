// The experiment's functions as the page calls them through ccall
// (web/site/experiment-calls.js). Each returns 1 when it did what was asked and
// 0 when it refused, and leaves its answer at experiment_answer(), of
// experiment_answer_size() bytes, until the next call: the bytes asked for, or
// the message that says why not.
//   experiment_plan(options, settings)   this instance's experiment begins:
//                                        {"runs"}
//   experiment_run(options, settings, run)  plays the run (in a worker's fresh
//                                        instance): its report, in the sweep's
//                                        worker protocol
//   experiment_report_space(size)        room for a report of `size` bytes: the
//                                        page copies a worker's report there...
//   experiment_report(run)               ...and this keeps it as run's report
//   experiment_playing(workers, address) who plays the runs, from which page
//   experiment_stopped()                 no more runs are played
//   experiment_file(name)                "table" or "summary": the file's bytes
//   experiment_record(file)              the record of the table downloaded as
//                                        `file` (the sweep's FILE.json)
//   experiment_outcome()                 {"tally": {"played", "not_played":
//                                        {outcome: runs}}, "chart": {"lines":
//                                        [{"label", "shade", "colour", "turns", "prey",
//                                        "predators"}], "problem"}}: prey and
//                                        predators each the mean, least and most
//                                        for every turn
#include <emscripten/emscripten.h>

#include <cstdio>
#include <new>
#include <optional>
#include <string>

#include "tools/common/UsageError.h"
#include "tools/sweep/output/PlotPalette.h"
#include "web/ExperimentSession.h"

namespace {

std::string answer;
std::string reportSpace;
std::optional<ExperimentSession> session;

int done(std::string bytes) {
    answer = std::move(bytes);
    return 1;
}

int refused(std::string message) {
    answer = std::move(message);
    return 0;
}

// Runs what the page asked for; its refusals and a lack of memory are the
// answer's message rather than the end of the instance.
template <class Call> int answering(const Call& call) {
    try {
        return call();
    } catch (const UsageError& error) {
        return refused(error.what());
    } catch (const std::bad_alloc&) {
        return refused("the page ran out of memory for the experiment");
    }
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

// A figure as the plot's data file writes it.
void addNumber(std::string& out, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    out += text;
}

void addNumbers(std::string& out, const std::vector<double>& values) {
    out += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += ',';
        addNumber(out, values[i]);
    }
    out += ']';
}

void addFigures(std::string& out, const std::array<std::vector<double>, 3>& meanLeastMost) {
    for (std::size_t i = 0; i < meanLeastMost.size(); ++i) {
        out += i == 0 ? "[" : ",";
        addNumbers(out, meanLeastMost[i]);
    }
    out += ']';
}

std::string chartJson(const ExperimentSession::Outcome& outcome) {
    std::string out = "{\"lines\":[";
    for (const PlotLine& line : outcome.chart) {
        out += (&line == outcome.chart.data() ? "" : ",");
        out += "{\"label\":" + quoted(line.label) + ",\"shade\":";
        addNumber(out, line.shade);
        out += ",\"colour\":\"" + plotColour(line.shade) + "\",\"turns\":";
        addNumbers(out, line.turns);
        out += ",\"prey\":";
        addFigures(out, line.prey);
        out += ",\"predators\":";
        addFigures(out, line.predators);
        out += '}';
    }
    return out + "],\"problem\":" + quoted(outcome.chartProblem) + "}";
}

std::string tallyJson(const OutcomeTally& tally) {
    std::string notPlayed;
    const auto add = [&](RunOutcome outcome, std::uint64_t runs) {
        if (runs > 0)
            notPlayed += std::string(notPlayed.empty() ? "" : ",") + quoted(outcomeName(outcome)) +
                         ":" + std::to_string(runs);
    };
    add(RunOutcome::Refused, tally.refused);
    add(RunOutcome::OutOfMemory, tally.outOfMemory);
    add(RunOutcome::Failed, tally.failed);
    return "{" + quoted(outcomeName(RunOutcome::Played)) + ":" + std::to_string(tally.played) +
           ",\"not_played\":{" + notPlayed + "}}";
}

// Runs a call on this instance's experiment, answering as `answering` does.
template <class Call> int withSession(const Call& call) {
    return answering([&] {
        if (!session)
            return refused("this instance has no experiment: plan one first");
        return call(*session);
    });
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* experiment_answer() {
    return answer.data();
}

EMSCRIPTEN_KEEPALIVE double experiment_answer_size() {
    return static_cast<double>(answer.size());
}

EMSCRIPTEN_KEEPALIVE int experiment_plan(const char* options, const char* settings) {
    return answering([&] {
        session.reset();
        session.emplace(options, settings);
        return done("{\"runs\":" + std::to_string(session->experiment().runs()) + "}");
    });
}

EMSCRIPTEN_KEEPALIVE int experiment_run(const char* options, const char* settings, double run) {
    return answering([&] {
        return done(PageExperiment(options, settings).play(static_cast<std::uint64_t>(run)));
    });
}

EMSCRIPTEN_KEEPALIVE char* experiment_report_space(double size) {
    reportSpace.resize(static_cast<std::size_t>(size));
    return reportSpace.data();
}

EMSCRIPTEN_KEEPALIVE int experiment_report(double run) {
    return withSession([&](ExperimentSession& experiment) {
        experiment.report(static_cast<std::uint64_t>(run), std::move(reportSpace));
        reportSpace.clear();
        return done("");
    });
}

EMSCRIPTEN_KEEPALIVE int experiment_playing(double workers, const char* address) {
    return withSession([&](ExperimentSession& experiment) {
        experiment.playing(static_cast<std::uint64_t>(workers), address);
        return done("");
    });
}

EMSCRIPTEN_KEEPALIVE int experiment_stopped() {
    return withSession([](ExperimentSession& experiment) {
        experiment.stopped();
        return done("");
    });
}

EMSCRIPTEN_KEEPALIVE int experiment_file(const char* name) {
    const std::string file = name;
    return withSession([&](const ExperimentSession& experiment) {
        if (file == "table")
            return done(experiment.table());
        if (file == "summary")
            return done(experiment.summary());
        return refused("an experiment has no file called " + file);
    });
}

EMSCRIPTEN_KEEPALIVE int experiment_record(const char* file) {
    return withSession([&](const ExperimentSession& experiment) {
        return done(toJson(experiment.record(file)));
    });
}

EMSCRIPTEN_KEEPALIVE int experiment_outcome() {
    return withSession([](const ExperimentSession& experiment) {
        const ExperimentSession::Outcome outcome = experiment.outcome();
        return done("{\"tally\":" + tallyJson(outcome.tally) + ",\"chart\":" + chartJson(outcome) +
                    "}");
    });
}

} // extern "C"
