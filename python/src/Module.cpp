// The extension module lurkfield._lurkfield, under the package lurkfield
// (python/lurkfield/), which gives it its Python face: the types and argument
// checks of each call are there, the simulation's work is here.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "Errors.h"
#include "PythonSweep.h"
#include "PythonWorld.h"
#include "RunTask.h"
#include "Simulation.h"
#include "Version.h"
#include "tools/common/OptionValues.h"
#include "tools/common/UsageError.h"

namespace py = pybind11;

namespace {

void translateErrors(py::module_& module) {
    py::register_exception<RefusedWorld>(module, "RefusedError", PyExc_ValueError);
    py::register_exception_translator([](std::exception_ptr failure) {
        try {
            if (failure)
                std::rethrow_exception(failure);
        } catch (const WorldOutOfMemory& error) {
            PyErr_SetString(PyExc_MemoryError, error.what());
        } catch (const UsageError& error) {
            PyErr_SetString(PyExc_ValueError, error.what());
        }
    });
}

void defineWorld(py::module_& module) {
    py::class_<PythonWorld>(module, "World")
        .def(py::init<std::string, std::string, const std::vector<std::string>&,
                      std::optional<unsigned>>(),
             py::arg("config"), py::arg("text"), py::arg("settings"), py::arg("seed"))
        .def("step", &PythonWorld::step, py::arg("turns"))
        .def("run", &PythonWorld::run, py::arg("turns"), py::arg("every"))
        .def_property_readonly("turn", &PythonWorld::turn)
        .def_property_readonly("width", &PythonWorld::width)
        .def_property_readonly("height", &PythonWorld::height)
        .def("census",
             [](PythonWorld& world) {
                 const Census census = world.census();
                 return py::make_tuple(census.obstacles, census.prey, census.predators);
             })
        .def("kinds", &PythonWorld::kinds)
        .def("hears", &PythonWorld::hears, py::arg("x"), py::arg("y"))
        .def("sees", &PythonWorld::sees, py::arg("x"), py::arg("y"))
        .def("picture", &PythonWorld::picture, py::arg("cell"), py::arg("selected"));
}

py::tuple taskOf(const PythonSweep& sweep, std::uint64_t run) {
    const RunTask task = RunTask::of(sweep.request(run));
    return py::make_tuple(task.configFile, py::bytes(task.settingsText), task.lines, task.seed,
                          task.turns, task.every);
}

py::bytes playRun(RunTask task) {
    std::string reports;
    {
        py::gil_scoped_release free;
        reports = playRunTask(task);
    }
    return py::bytes(reports);
}

void defineSweep(py::module_& module) {
    py::class_<PythonSweep>(module, "Sweep")
        .def(py::init<const std::vector<std::string>&, std::string, std::string>(),
             py::arg("args"), py::arg("config"), py::arg("text"))
        .def_property_readonly("runs", &PythonSweep::runCount)
        .def_property_readonly("runs_ended", &PythonSweep::runsEnded)
        .def_property_readonly("jobs", &PythonSweep::jobs)
        .def("play_on_workers", &PythonSweep::playOnWorkers, py::arg("progress"))
        .def("finished", &PythonSweep::finished)
        .def("may_start", &PythonSweep::mayStart, py::arg("position"), py::arg("players"))
        .def("run_at", &PythonSweep::runAt, py::arg("position"))
        .def("task", &taskOf, py::arg("run"))
        .def("report", &PythonSweep::report, py::arg("run"), py::arg("reports"))
        .def("fail", &PythonSweep::fail, py::arg("run"), py::arg("why"))
        .def("table", &PythonSweep::tableColumns)
        .def("summary", &PythonSweep::summaryColumns);
    module.def(
        "play_run",
        [](std::string config, std::string text,
           std::vector<std::pair<std::string, std::string>> lines, unsigned seed,
           std::uint64_t turns, std::uint64_t every) {
            return playRun({std::move(config), std::move(text), std::move(lines), seed, turns, every});
        },
        py::arg("config"), py::arg("text"), py::arg("lines"), py::arg("seed"), py::arg("turns"),
        py::arg("every"));
}

} // namespace

PYBIND11_MODULE(_lurkfield, module) {
    simulation::guardForks();
    module.attr("__version__") = LURKFIELD_VERSION;
    py::tuple kinds(cellCodeNames.size());
    for (std::size_t code = 0; code < cellCodeNames.size(); ++code)
        kinds[code] = cellCodeNames[code];
    module.attr("KINDS") = kinds;
    translateErrors(module);
    defineWorld(module);
    defineSweep(module);
    // A whole number as the programs' options take it, or ValueError with their message.
    module.def("whole_number", &wholeNumber, py::arg("option"), py::arg("text"),
               py::arg("lowest") = 0, py::arg("highest") = UINT64_MAX);
}
