"""The example notebook runs headless from top to bottom, and is stored without outputs."""
import nbclient
import nbformat

from conftest import SOURCE

NOTEBOOK = SOURCE / "docs" / "examples" / "predator-sight.ipynb"


def test_the_notebook_is_stored_without_outputs():
    notebook = nbformat.read(NOTEBOOK, as_version=4)
    code = [cell for cell in notebook.cells if cell.cell_type == "code"]
    assert code and all(cell.outputs == [] and cell.execution_count is None for cell in code)


def test_the_notebook_runs_and_shows_its_plot_and_boards(tmp_path):
    notebook = nbformat.read(NOTEBOOK, as_version=4)
    nbclient.NotebookClient(notebook, timeout=300, kernel_name="python3",
                            resources={"metadata": {"path": str(tmp_path)}}).execute()
    images = [output for cell in notebook.cells if cell.cell_type == "code"
              for output in cell.outputs if "image/png" in output.get("data", {})]
    errors = [output for cell in notebook.cells for output in cell.get("outputs", [])
              if output.output_type == "error"]
    assert not errors and len(images) == 3  # the plot, the world, the selected predator
