// The experiment's functions as the page calls them (web/experiment.js and
// web/experiment-worker.js, through ccall on the window program), each answering with a JSON object as text:
//   experiment_plan(options, settings) -> {"error"} or {"runs", "reps", "points",
//                                          "labels" (each point's text, for a chart
//                                          of at most maxPlottedPoints), "table_header",
//                                          "summary_header"}
//   experiment_run(options, settings, run) -> {"error"} or {"table", "summary",
//                                          "outcome"}: run's rows, in a fresh instance
// The answer lives until the next call.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>

#include "tools/common/UsageError.h"
#include "tools/sweep/output/SweepTables.h"
#include "web/PageExperiment.h"

namespace {

std::string answer;

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

// Each point as the user reads it, for the chart's legend; none when too many to draw.
std::string pointLabels(const RunPlan& plan) {
    std::string labels = "[";
    for (std::uint64_t point = 0; plan.points() <= maxPlottedPoints && point < plan.points();
         ++point)
        labels += (point == 0 ? "" : ",") + quoted(plan.pointText(point));
    return labels + "]";
}

const char* errorAnswer(const std::string& message) {
    answer = "{\"error\":" + quoted(message) + "}";
    return answer.c_str();
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char* experiment_plan(const char* options,
                                                            const char* settings) {
    try {
        const PageExperiment experiment(options, settings);
        const RunPlan& plan = experiment.options().plan;
        answer = "{\"runs\":" + std::to_string(experiment.runs()) +
                 ",\"reps\":" + std::to_string(plan.reps()) +
                 ",\"points\":" + std::to_string(plan.points()) +
                 ",\"labels\":" + pointLabels(plan) +
                 ",\"table_header\":" + quoted(tableHeader(plan)) +
                 ",\"summary_header\":" + quoted(summaryHeader(plan)) + "}";
        return answer.c_str();
    } catch (const UsageError& error) {
        return errorAnswer(error.what());
    }
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* experiment_run(const char* options,
                                                           const char* settings, double run) {
    try {
        const PageExperiment experiment(options, settings);
        const PageExperiment::RunRows rows = experiment.play(static_cast<std::uint64_t>(run));
        answer = "{\"table\":" + quoted(rows.table) + ",\"summary\":" + quoted(rows.summary) +
                 ",\"outcome\":" + quoted(rows.outcome) + "}";
        return answer.c_str();
    } catch (const UsageError& error) {
        return errorAnswer(error.what());
    }
}
